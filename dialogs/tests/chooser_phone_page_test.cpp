// The recipient chooser's phone-book page through _CHOOSESTATIONS, on small
// books made in the configuration directory.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "brandlg/chooser.h"
#include "branutl/urls.h"
#include "chooser_fixture.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/edit.h"
#include "platform/gui/check_box.h"
#include "platform/gui/label.h"
#include "platform/gui/menu.h"
#include "platform/gui/owner_draw_list_box.h"
#include "platform/gui/speed_button.h"
#include "platform/gui/virtual_keys.h"
#include "file_bytes.h"
#include "suite/brancfg/brancfg.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;

constexpr std::uint8_t BothPages = 0x03, AllUses = 0x01 | 0x02 | 0x04 | 0x08;

const std::string BookA = "\"Alfa Adam\", \"Firma\", \"+420-2-111\", \"FAX\"\r\n"
                          "\"Beta Bedrich\", \"\", \"+420-5-222\", \"SMS\"\r\n";
const std::string BookB = "\"Cyril\", \"\", \"+420-2-333\", \"FAX\"\r\n";

void PutBook(const char* name) {
  const ShortString value = ShortString::From(name);
  CFGPUTSTRING(7, &value);
}

struct Page {
  cl::TForm& form;
  cl::TOwnerDrawListBox& Rows() { return Child<cl::TOwnerDrawListBox>(form, "numLBox"); }
  cl::TComboBox& Books() { return Child<cl::TComboBox>(form, "numCBoxFile"); }
  cl::TComboBox& Sort() { return Child<cl::TComboBox>(form, "numCBoxSort"); }
  cl::TSpeedButton& Button(const char* name) { return Child<cl::TSpeedButton>(form, name); }
  std::vector<std::string> Keys() {
    std::vector<std::string> keys;
    for (int i = 0; i < Rows().Count(); ++i) keys.push_back(Rows().Items().Get(i));
    return keys;
  }
  void Choose(const std::string& book) {
    Books().SetItemIndex(Books().Items().IndexOf(book));
    Books().OnChange(&Books());
  }
  void Close() { cl::testing::TypeKey(form, cl::VK_ESCAPE); }
};

// Answers the next message box with the button named, and remembers it came.
struct Answer {
  Answer(const char* button, std::string* text = nullptr)
      : driver("MessageForm", [this, button, text](cl::TForm& box) {
          came = true;
          if (text != nullptr) *text = Child<cl::TLabel>(box, "Message").Caption();
          Child<cl::TControl>(box, button).Click();
        }) {}
  bool came = false;
  ModalDriver driver;
};

class PhonePageTest : public ChooserWorld {
 protected:
  void SetUp() override {
    ChooserWorld::SetUp();
    WriteFile(ConfigDir() / "A.PHN", BookA);
    WriteFile(ConfigDir() / "b.phn", BookB);
    CFGPUTINTEGER(4, 1);
  }
  void Run(std::function<void(Page&)> action, std::uint8_t mode = AllUses) {
    std::vector<tAddressRecord> records(1);
    const ModalDriver driver("MultiAddressForm", [&](cl::TForm& form) {
      Page page{form};
      action(page);
    });
    _CHOOSESTATIONS(records.data(), 0, 1, BothPages, mode);
  }
  static std::string Book(const std::string& name) { return ReadText(ConfigDir() / name); }
  static std::string ReadText(const std::filesystem::path& file) {
    const std::vector<char> bytes = ReadBytes(file.string());
    return {bytes.begin(), bytes.end()};
  }
};

TEST_F(PhonePageTest, BooksAreFoundInAnyCaseAndTheOpenOneIsNotReloaded) {
  PutBook("a.phn");
  Run([&](Page& p) {
    EXPECT_EQ(p.Books().Text(), "A.PHN");
    ASSERT_EQ(p.Rows().Count(), 2);
    WriteFile(ConfigDir() / "A.PHN", BookB);
    p.Choose("A.PHN");
    EXPECT_EQ(p.Rows().Count(), 2);
    p.Choose("B.PHN");
    EXPECT_EQ(p.Rows().Count(), 1);
    p.Close();
  });
  ShortString kept{};
  CFGGETSTRING(7, &kept);
  EXPECT_EQ(kept.Str(), "B.PHN");
}

TEST_F(PhonePageTest, WithoutBooksSaveAsksForANewNameFirst) {
  std::filesystem::remove(ConfigDir() / "A.PHN");
  std::filesystem::remove(ConfigDir() / "b.phn");
  bool asked = false;
  Run([&](Page& p) {
    EXPECT_EQ(p.Books().Items().Count(), 0);
    EXPECT_EQ(p.Rows().Count(), 0);
    const ModalDriver name("InputQueryForm", [&](cl::TForm& query) {
      asked = true;
      cl::testing::TypeKey(query, cl::VK_ESCAPE);
    });
    p.Button("numSBtnSave").Click();
    p.Close();
  });
  EXPECT_TRUE(asked);
}

TEST_F(PhonePageTest, ANewBookTakesTheUpperCaseNameAndNeverOverwritesAnother) {
  struct Case {
    const char* typed;
    const char* file;
  } const cases[] = {{"moje kniha", "MOJE KNIHA.PHN"}, {"jinde/Seznam", "SEZNAM.PHN"}};
  for (const Case& c : cases) {
    Run([&](Page& p) {
      const ModalDriver name("InputQueryForm", [&](cl::TForm& query) {
        Child<cl::TEdit>(query, "Edit").SetText(c.typed);
        cl::testing::TypeKey(query, cl::VK_RETURN);
      });
      p.Button("numSBtnNew").Click();
      EXPECT_EQ(p.Books().Text(), c.file);
      p.Close();
    });
    EXPECT_TRUE(std::filesystem::exists(ConfigDir() / c.file)) << c.file;
  }
  // "a" names the book A.PHN that is there: refused, the book stays.
  std::string told;
  Run([&](Page& p) {
    const ModalDriver name("InputQueryForm", [&](cl::TForm& query) {
      Child<cl::TEdit>(query, "Edit").SetText("a");
      cl::testing::TypeKey(query, cl::VK_RETURN);
    });
    const Answer error("OK", &told);
    p.Choose("B.PHN");
    p.Button("numSBtnNew").Click();
    EXPECT_TRUE(error.came);
    p.Close();
  });
  EXPECT_NE(told.find("A.PHN"), std::string::npos) << told;
  EXPECT_EQ(Book("A.PHN"), BookA);
}

TEST_F(PhonePageTest, SwitchingBooksWithChangesAsksFirst) {
  struct Case {
    const char* answer;
    std::string bookAfter;
  } const cases[] = {{"NO", BookA}, {"YES", "\"Beta Bedrich\", \"\", \"+420-5-222\", \"SMS\"\r\n"}};
  for (const Case& c : cases) {
    WriteFile(ConfigDir() / "A.PHN", BookA);
    PutBook("A.PHN");
    Run([&](Page& p) {
      p.Rows().SetSelected(0, true);
      p.Button("numSBtnDel").Click();
      EXPECT_TRUE(p.Button("numSBtnSave").Enabled());
      const Answer question(c.answer);
      p.Choose("B.PHN");
      EXPECT_TRUE(question.came);
      EXPECT_EQ(p.Rows().Count(), 1);
      EXPECT_FALSE(p.Button("numSBtnSave").Enabled());
      p.Close();
    });
    EXPECT_EQ(Book("A.PHN"), c.bookAfter) << c.answer;
  }
}

TEST_F(PhonePageTest, ASaveThatFailsIsToldAndTheBookStaysChanged) {
  PutBook("A.PHN");
  ASSERT_EQ(chmod((ConfigDir() / "A.PHN").c_str(), 0444), 0);
  std::string told;
  // Closing asks again (after the form's last action); No leaves the book.
  std::optional<Answer> question;
  Run([&](Page& p) {
    ASSERT_EQ(p.Rows().Count(), 2);
    p.Rows().SetSelected(1, true);
    p.Button("numSBtnDel").Click();
    ASSERT_TRUE(p.Button("numSBtnSave").Enabled());
    {
      const Answer error("OK", &told);
      p.Button("numSBtnSave").Click();
      EXPECT_TRUE(error.came);
    }
    EXPECT_TRUE(p.Button("numSBtnSave").Enabled());
    question.emplace("NO");
    p.Close();
  });
  EXPECT_TRUE(question->came);
  EXPECT_NE(told.find("A.PHN"), std::string::npos) << told;
  chmod((ConfigDir() / "A.PHN").c_str(), 0644);
  EXPECT_EQ(Book("A.PHN"), BookA);
}

TEST_F(PhonePageTest, ClosingWithChangesSavesOnYes) {
  PutBook("A.PHN");
  const Answer question("YES");
  Run([&](Page& p) {
    // Key 8, never written, reads 0: row 0 comes marked.
    p.Rows().SetSelected(0, false);
    p.Rows().SetSelected(1, true);
    p.Button("numSBtnDel").Click();
    p.Close();
  });
  EXPECT_TRUE(question.came);
  EXPECT_EQ(Book("A.PHN"), "\"Alfa Adam\", \"Firma\", \"+420-2-111\", \"FAX\"\r\n");
}

TEST_F(PhonePageTest, ReSortingKeepsEveryEntryAndItsMark) {
  PutBook("A.PHN");
  Run([&](Page& p) {
    const std::vector<std::string> byName = p.Keys();
    ASSERT_EQ(byName.size(), 2u);
    const std::string markedKey = byName[0];  // Alfa Adam
    p.Rows().SetSelected(0, true);
    // Kind 7: SMS numbers first.
    p.Sort().SetItemIndex(7);
    p.Sort().OnChange(&p.Sort());
    ASSERT_EQ(p.Rows().Count(), 2);
    EXPECT_NE(p.Keys(), byName);
    EXPECT_EQ(p.Rows().SelCount(), 1);
    EXPECT_FALSE(p.Rows().Selected(0));
    EXPECT_TRUE(p.Rows().Selected(1));
    p.Close();
  });
  EXPECT_EQ(CFGGETINTEGER(9), 7);
}

TEST_F(PhonePageTest, StoredRowAndSortKindOutsideTheirRangesAreIgnored) {
  struct Case {
    std::int32_t row, kind;
    int expectedMarks, expectedKind;
  } const cases[] = {{1, 3, 1, 3}, {2, 8, 0, 0}, {-1, -1, 0, 0}};
  for (const Case& c : cases) {
    PutBook("A.PHN");
    CFGPUTINTEGER(8, c.row);
    CFGPUTINTEGER(9, c.kind);
    Run([&](Page& p) {
      EXPECT_EQ(p.Rows().SelCount(), c.expectedMarks) << c.row;
      EXPECT_EQ(p.Sort().ItemIndex(), c.expectedKind) << c.kind;
      p.Close();
    });
  }
}

// The entry editor driven through its controls: the use-for radios it shows,
// then typed texts and Enter.
struct EditorSeen {
  bool sms = false, fax = false, faxEnabled = false;
};

ModalDriver Editor(EditorSeen& seen, std::function<void(cl::TForm&)> typing) {
  return ModalDriver("PhoneItemForm", [&seen, typing = std::move(typing)](cl::TForm& editor) {
    seen.sms = Child<cl::TRadioButton>(editor, "RBtnSMS").Checked();
    seen.fax = Child<cl::TRadioButton>(editor, "RBtnFAX").Checked();
    seen.faxEnabled = Child<cl::TRadioButton>(editor, "RBtnFAX").Enabled();
    typing(editor);
    cl::testing::TypeKey(editor, cl::VK_RETURN);
  });
}

constexpr std::uint8_t SmsOnly = 0x01 | 0x08;

TEST_F(PhonePageTest, AddingWithOnlySmsAllowedStartsWithSms) {
  PutBook("A.PHN");
  EditorSeen seen;
  const Answer question("NO");
  Run([&](Page& p) {
    const ModalDriver editor = Editor(seen, [](cl::TForm& e) { Child<cl::TEdit>(e, "EditSureName").SetText("Nov\xE1k"); });
    p.Button("numSBtnAdd").Click();
    EXPECT_EQ(p.Rows().Count(), 3);
    EXPECT_TRUE(p.Button("numSBtnSave").Enabled());
    p.Rows().SetSelected(0, false);
    p.Close();
  }, SmsOnly);
  EXPECT_TRUE(seen.sms);
  EXPECT_FALSE(seen.faxEnabled);
}

// The defaults are the process's, set through libbranutl.so's exports: a new
// entry starts with them.
TEST_F(PhonePageTest, ANewEntryStartsWithTheDefaultsSetThroughTheUtilityLibrary) {
  PutBook("A.PHN");
  ShortString country{}, area{};
  URIGETDEFAULTCOUNTRY(&country);
  URIGETDEFAULTCITY(&area);
  const ShortString slovakia = ShortString::From("+421"), bratislava = ShortString::From("2");
  URISETDEFAULTCOUNTRY(&slovakia);
  URISETDEFAULTCITY(&bratislava);
  std::string shownCountry, shownArea;
  Run([&](Page& p) {
    const ModalDriver editor("PhoneItemForm", [&](cl::TForm& e) {
      shownCountry = Child<cl::TEdit>(e, "EditState").Text();
      shownArea = Child<cl::TEdit>(e, "EditCity").Text();
      cl::testing::TypeKey(e, cl::VK_ESCAPE);
    });
    p.Button("numSBtnAdd").Click();
    p.Close();
  });
  URISETDEFAULTCOUNTRY(&country);
  URISETDEFAULTCITY(&area);
  EXPECT_EQ(shownCountry, "+421");
  EXPECT_EQ(shownArea, "2");
}

TEST_F(PhonePageTest, ADuplicateOfAnEntryForAnotherUseTakesTheFirstAllowed) {
  PutBook("A.PHN");
  EditorSeen seen;
  const Answer question("NO");
  Run([&](Page& p) {
    // Row 0, Alfa Adam, is a fax number; the menu item runs the duplicate.
    p.Rows().SetItemIndex(0);
    const ModalDriver editor = Editor(seen, [](cl::TForm&) {});
    cl::TMenuItem* dup = p.form.PopupMenu()->Items().Find("PMnu_numDup");
    ASSERT_NE(dup, nullptr);
    dup->Click();
    EXPECT_EQ(p.Rows().Count(), 3);
    p.Close();
  }, SmsOnly);
  EXPECT_TRUE(seen.sms);
  EXPECT_FALSE(seen.fax);
}

TEST_F(PhonePageTest, AnEntryEditedToAnInvalidStateKeepsItsRowAndOldKey) {
  PutBook("A.PHN");
  EditorSeen seen;
  const Answer question("NO");
  Run([&](Page& p) {
    const std::vector<std::string> before = p.Keys();
    p.Rows().SetItemIndex(0);
    {
      const ModalDriver editor = Editor(seen, [](cl::TForm& e) {
        Child<cl::TEdit>(e, "EditSureName").SetText("Zulu");
        Child<cl::TEdit>(e, "EditPhone").SetText("");
      });
      p.Button("numSBtnEdit").Click();
    }
    EXPECT_EQ(p.Keys(), before);
    // Keyed again from the entries: the entry itself is as it was.
    p.Sort().OnChange(&p.Sort());
    EXPECT_EQ(p.Keys(), before);
    EXPECT_FALSE(p.Button("numSBtnSave").Enabled());
    // A valid edit moves the entry to its new key, marked.
    {
      const ModalDriver editor = Editor(seen, [](cl::TForm& e) { Child<cl::TEdit>(e, "EditSureName").SetText("Zulu"); });
      p.Button("numSBtnEdit").Click();
    }
    ASSERT_EQ(p.Rows().Count(), 2);
    EXPECT_NE(p.Keys(), before);
    EXPECT_TRUE(p.Rows().Selected(1));
    p.Close();
  });
}

}  // namespace
