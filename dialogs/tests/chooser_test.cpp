// The recipient chooser through its exports, on the sample station lists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "brandlg/chooser.h"
#include "chooser_fixture.h"
#include "file_bytes.h"
#include "dialogs/tests/phone_book_fixtures.h"
#include "dialogs/tests/sound_recorder.h"
#include "dialogs/address_items.h"
#include "dialogs/safe_format.h"
#include "dialogs/suite_texts.h"
#include "platform/core/message_hooks.h"
#include "dialogs/config_font.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/button.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/header.h"
#include "platform/gui/label.h"
#include "platform/gui/menu.h"
#include "platform/gui/owner_draw_list_box.h"
#include "platform/gui/tabbed_notebook.h"
#include "platform/gui/test_support/screen_pixels.h"
#include "platform/gui/test_support/file_dialog_typing.h"
#include "platform/gui/test_support/scripted_dialogs.h"
#include "suite/brangly/brangly.h"
#include "platform/gui/virtual_keys.h"
#include "suite/brancfg/brancfg.h"
#include "suite/brantxt/brantxt.h"
#include "utility/station_url.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;
using dlg::testing::SetText;
using dlg::testing::TextOf;

constexpr std::uint8_t Stations = 0x01, Phones = 0x02;
constexpr std::uint8_t AllStations = 0x01, OneRecipient = 0x20;
constexpr unsigned char Filler = 0xAB;

tAddressRecord Record(const std::string& url) {
  tAddressRecord record;
  std::memset(&record, Filler, sizeof record);
  record.Kind = 2;
  SetText(record.Url, url);
  SetText(record.Description, "d");
  record.UseFor = 2;
  record.Tag = 7;
  for (auto* extra : {&record.Extra1, &record.Extra2, &record.Extra3, &record.Extra4}) (*extra)[0] = 0;
  return record;
}

struct Form {
  cl::TForm& form;
  cl::TOwnerDrawListBox& List(const char* name) { return Child<cl::TOwnerDrawListBox>(form, name); }
  cl::TBitBtn& Button(const char* name) { return Child<cl::TBitBtn>(form, name); }
  cl::TOwnerDrawListBox& Stations() { return List("sidLBox"); }
  cl::TOwnerDrawListBox& Selection() { return List("selLBox"); }
  std::vector<std::string> Rows(const char* name) {
    std::vector<std::string> rows;
    for (int i = 0; i < List(name).Count(); ++i) rows.push_back(List(name).Items().Get(i));
    return rows;
  }
  void Mark(cl::TOwnerDrawListBox& list, int row) {
    list.SetSelected(row, true);
    list.Click();
  }
};

class ChooserTest : public ChooserWorld {
 protected:
  // _CHOOSESTATIONS with action on the shown form.
  std::int32_t Choose(std::vector<tAddressRecord>& records, std::uint16_t count, std::uint16_t maxCount,
                      std::uint8_t pages, std::uint8_t mode, std::function<void(Form&)> action) {
    const ModalDriver driver("MultiAddressForm", [&](cl::TForm& form) {
      Form f{form};
      action(f);
    });
    return _CHOOSESTATIONS(records.data(), count, maxCount, pages, mode);
  }
  // CHOOSEPHONES with action on the shown form.
  bool ChoosePhones(std::vector<char>& buffer, std::uint16_t bufLen, std::uint8_t pages, std::uint8_t mode,
                    std::function<void(Form&)> action) {
    const ModalDriver driver("MultiAddressForm", [&](cl::TForm& form) {
      Form f{form};
      action(f);
    });
    return CHOOSEPHONES(buffer.data(), bufLen, pages, mode) != 0;
  }
};

TEST_F(ChooserTest, TwoRecordsOfOneUrlAnswerMinusOneWithoutAForm) {
  std::vector<tAddressRecord> records{Record("fax:+420-2-111"), Record("fax:+420-2-111")};
  EXPECT_EQ(_CHOOSESTATIONS(records.data(), 2, 2, Stations, AllStations), -1);
}

// With no array there is nowhere to put a choice: the answer comes at once,
// without a form.
TEST_F(ChooserTest, ANullArrayWithRoomAnswersMinusOneWithoutAForm) {
  struct Case {
    std::uint16_t count, maxCount;
  };
  for (const Case c : {Case{0, 5}, Case{3, 0}, Case{1, 1}})
    EXPECT_EQ(_CHOOSESTATIONS(nullptr, c.count, c.maxCount, Stations, AllStations), -1) << c.count << " " << c.maxCount;
}

TEST_F(ChooserTest, AddedStationsComeBackAtTheRecordStrideWithTheTailsUntouched) {
  std::vector<tAddressRecord> records(3, Record("fax:+420-2-111"));
  std::vector<tAddressRecord> before = records;
  std::string added;
  const std::int32_t result = Choose(records, 1, 3, Stations, AllStations, [&](Form& f) {
    // List 001: Ostrava is out of reach and Plzen unavailable.
    EXPECT_EQ(f.Rows("sidLBox"), (std::vector<std::string>{"\xDAst\xF8" "ed\xED Praha", "Pobo\xE8ka Brno"}));
    // Key 6, never written, reads 0: row 0 comes marked.
    EXPECT_TRUE(f.Stations().Selected(0));
    f.Stations().SetSelected(0, false);
    f.Mark(f.Stations(), 1);
    EXPECT_TRUE(f.Button("selBBtnAdd").Enabled());
    f.Button("selBBtnAdd").Click();
    ASSERT_EQ(f.Selection().Count(), 2);
    EXPECT_FALSE(f.Button("selBBtnAdd").Enabled());  // the row is taken now
    for (const std::string& url : f.Rows("selLBox"))
      if (url != "fax:+420-2-111") added = url;
    f.Button("selBBtnOK").Click();
  });
  ASSERT_EQ(result, 2);
  ASSERT_FALSE(added.empty());
  std::vector<std::string> urls{TextOf(records[0].Url), TextOf(records[1].Url)};
  std::sort(urls.begin(), urls.end());
  EXPECT_EQ(urls, (std::vector<std::string>{std::min(added, std::string("fax:+420-2-111")),
                                            std::max(added, std::string("fax:+420-2-111"))}));
  // Past each text's characters the caller's bytes stay; record 2 is not touched.
  for (int r = 0; r < 2; ++r) {
    const tAddressRecord& record = records[r];
    for (std::size_t i = 1u + record.Url[0]; i < sizeof record.Url; ++i)
      ASSERT_EQ(record.Url[i], Filler) << "record " << r << " byte " << i;
  }
  EXPECT_EQ(std::memcmp(&records[2], &before[2], sizeof(tAddressRecord)), 0);
}

TEST_F(ChooserTest, MaxCountLimitsTheChoiceAndTheAnswer) {
  // maxCount 0 with addresses chosen: nothing is written.
  {
    std::vector<tAddressRecord> records{Record("fax:+420-2-111"), Record("fax:+420-2-222")};
    const std::vector<tAddressRecord> before = records;
    EXPECT_EQ(Choose(records, 2, 0, Stations, AllStations, [](Form& f) {
                EXPECT_TRUE(f.Button("selBBtnOK").Enabled());
                f.Button("selBBtnOK").Click();
              }),
              0);
    EXPECT_EQ(std::memcmp(records.data(), before.data(), 2 * sizeof(tAddressRecord)), 0);
  }
  // maxCount 1: of two marked stations one is taken, then Add stops.
  std::vector<tAddressRecord> records(2, Record(""));
  EXPECT_EQ(Choose(records, 0, 1, Stations, AllStations, [](Form& f) {
              f.Mark(f.Stations(), 0);
              f.Mark(f.Stations(), 1);
              f.Button("selBBtnAdd").Click();
              EXPECT_EQ(f.Selection().Count(), 1);
              EXPECT_FALSE(f.Button("selBBtnAdd").Enabled());
              f.Button("selBBtnOK").Click();
            }),
            1);
}

TEST_F(ChooserTest, OneRecipientModeNeverConfirmsMore) {
  // One address chosen: Add stays off.
  std::vector<tAddressRecord> records{Record("fax:+420-2-111"), Record("fax:+420-2-222")};
  EXPECT_EQ(Choose(records, 1, 2, Stations, AllStations | OneRecipient, [](Form& f) {
              f.Mark(f.Stations(), 0);
              EXPECT_FALSE(f.Button("selBBtnAdd").Enabled());
              f.Button("selBBtnOK").Click();
            }),
            1);
  // Two given: OK stays off until one goes.
  EXPECT_EQ(Choose(records, 2, 2, Stations, AllStations | OneRecipient, [](Form& f) {
              EXPECT_FALSE(f.Button("selBBtnOK").Enabled());
              f.Mark(f.Selection(), 0);
              f.Button("selBBtnDel").Click();
              EXPECT_TRUE(f.Button("selBBtnOK").Enabled());
              f.Button("selBBtnOK").Click();
            }),
            1);
}

// The book comes from the configuration directory under the chosen name in
// upper case, whatever directory the dialog was in; what the caller has no
// room for is left out, as adding by hand leaves it.
TEST_F(ChooserTest, ImportTakesWhatFitsOfTheBookInTheConfigurationDirectory) {
  // Lines ended by CR, LF and CR LF alike.
  WriteFile(ConfigDir() / "THREE.PHN",
            "\"C\", \"\", \"+420-2-333\", \"FAX\"\r\"A\", \"\", \"+420-2-111\", \"FAX\"\n"
            "\"B\", \"\", \"+420-2-222\", \"FAX\"\r\n");
  cl::testing::TempDirectory elsewhere;
  WriteFile(elsewhere / "three.phn", "\"X\", \"\", \"+420-2-999\", \"FAX\"\r\n");
  cl::testing::ScriptedDialogs dialogs;
  dialogs.Open = [&](cl::TOpenDialog& dialog) {
    dialog.FileName = elsewhere / "three.phn";
    return true;
  };
  auto url = [](const char* number) { return utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(2), "420", "2", number); };
  const std::vector<std::string> all{url("111"), url("222"), url("333")};
  struct Case {
    std::uint16_t maxCount;
    std::uint8_t mode;
    std::size_t taken;
  };
  for (const Case c : {Case{5, AllStations, 3}, Case{3, AllStations, 3}, Case{2, AllStations, 2},
                       Case{1, AllStations, 1}, Case{5, AllStations | OneRecipient, 1}}) {
    SCOPED_TRACE(testing::Message() << "maxCount " << c.maxCount << " mode " << int(c.mode));
    std::vector<tAddressRecord> records(5, Record("fax:+420-2-999"));
    EXPECT_EQ(Choose(records, 1, c.maxCount, Stations, c.mode, [&](Form& f) {
                f.Button("selBBtnImport").Click();
                EXPECT_EQ(f.Rows("selLBox"), std::vector<std::string>(all.begin(), all.begin() + c.taken));
                EXPECT_TRUE(f.Button("selBBtnOK").Enabled());
                f.Button("selBBtnOK").Click();
              }),
              static_cast<std::int32_t>(c.taken));
  }
}

// Typed into the import dialog, a name in any case is the book the import
// reads (the one export wrote, in upper case): the dialog finds it. A name
// with no such book is answered by the dialog itself, and the selection stays.
TEST_F(ChooserTest, TheImportDialogFindsABookByTheNameTypedInAnyCase) {
  WriteFile(ConfigDir() / "EXP1.PHN", "\"A\", \"\", \"+420-2-111\", \"FAX\"\r\n");
  const std::string imported = utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(2), "420", "2", "111");
  struct Case {
    const char* typed;
    std::vector<std::string> rows;
    bool notFound;
  };
  const Case cases[] = {{"exp1.phn", {imported}, false},
                        {"Exp1.Phn", {imported}, false},
                        {"EXP1.PHN", {imported}, false},
                        {"exp2.phn", {"fax:+420-2-999"}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::vector<tAddressRecord> records(2, Record("fax:+420-2-999"));
    std::vector<std::string> messages;
    Choose(records, 1, 2, Stations, AllStations, [&](Form& f) {
      const cl::testing::FileDialogTyping typing(c.typed);
      f.Button("selBBtnImport").Click();
      messages = typing.Messages();
      EXPECT_EQ(f.Rows("selLBox"), c.rows);
      f.Button("selBBtnOK").Click();
    });
    ASSERT_EQ(messages.size(), c.notFound ? 1u : 0u);
    if (c.notFound) {
      EXPECT_NE(messages[0].find("EXP2.PHN"), std::string::npos) << messages[0];
    }
  }
}

TEST_F(ChooserTest, ImportOfABookThatCannotBeReadSaysSoAndKeepsTheSelection) {
  cl::testing::ScriptedDialogs dialogs;
  dialogs.Open = [&](cl::TOpenDialog& dialog) {
    dialog.FileName = "missing.phn";
    return true;
  };
  std::vector<tAddressRecord> records(2, Record("fax:+420-2-999"));
  bool told = false;
  EXPECT_EQ(Choose(records, 1, 2, Stations, AllStations, [&](Form& f) {
              const ModalDriver error("MessageForm", [&](cl::TForm& box) {
                told = true;
                cl::testing::TypeKey(box, cl::VK_RETURN);
              });
              f.Button("selBBtnImport").Click();
              EXPECT_EQ(f.Rows("selLBox"), (std::vector<std::string>{"fax:+420-2-999"}));
              f.Button("selBBtnOK").Click();
            }),
            1);
  EXPECT_TRUE(told);
}

TEST_F(ChooserTest, ThePhonePageAloneRefusesTheStationTabWithABeep) {
  CFGPUTINTEGER(4, 0);
  // BEEP(0): the sound of libbranutl.so's slot 0.
  int beeps = 0;
  dlg::testing::OnSoundRequest([&](const std::string&) { ++beeps; });
  std::vector<tAddressRecord> records(1, Record(""));
  Choose(records, 0, 1, Phones, AllStations, [&](Form& f) {
    auto& book = Child<cl::TTabbedNotebook>(f.form, "TabbedNotebook");
    EXPECT_EQ(book.PageIndex(), 1);
    const cl::TRect tab = book.TabRect(0);
    cl::testing::Click(book, tab.Left + 4, tab.Top + 6);
    EXPECT_EQ(book.PageIndex(), 1);
    EXPECT_EQ(beeps, 1);
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
  dlg::testing::OnSoundRequest({});
}

TEST_F(ChooserTest, KillConfirmsAnEmptyChoice) {
  std::vector<tAddressRecord> records{Record("fax:+420-2-111")};
  EXPECT_EQ(Choose(records, 1, 1, Stations, AllStations, [](Form& f) { f.Button("selBBtnKill").Click(); }), 0);
  std::vector<char> buffer(64, 'x');
  std::strcpy(buffer.data(), "fax:+420-2-111\r\n");
  EXPECT_TRUE(ChoosePhones(buffer, 64, Stations, AllStations, [](Form& f) { f.Button("selBBtnKill").Click(); }));
  EXPECT_EQ(buffer[0], '\0');
}

TEST_F(ChooserTest, ThePhoneTextKeepsEachUrlOnceInUrlOrder) {
  const std::string input = "fax:+420-2-222\r\nfax:+420-2-111\nfax:+420-2-222\rfax:+420-2-111\r\n";
  std::vector<char> buffer(200, '#');
  std::memcpy(buffer.data(), input.c_str(), input.size() + 1);
  std::string full;
  ASSERT_TRUE(ChoosePhones(buffer, 200, Stations, AllStations, [&](Form& f) {
    // Input lines kept once; both stations of list 001 added.
    EXPECT_EQ(f.Rows("selLBox").size(), 2u);
    f.Stations().SetSelected(0, true);
    f.Mark(f.Stations(), 1);
    f.Button("selBBtnAdd").Click();
    for (const std::string& url : f.Rows("selLBox")) full += url + "\r\n";
    f.Button("selBBtnOK").Click();
  }));
  EXPECT_EQ(std::string(buffer.data(), strnlen(buffer.data(), 200)), full);
}

// Whole lines only, and no choice lost: while the chosen URLs with their line
// ends do not fit in bufLen - 1 characters, OK says how many do not and the
// form stays; the user removes some or cancels.
TEST_F(ChooserTest, AChoiceTheBufferCannotTakeKeepsTheFormOpen) {
  enum class Then { Remove, Cancel };
  struct Case {
    const char* what;
    std::string input;
    std::uint16_t bufLen;
    int left;  // addresses that do not fit; 0: OK closes at once
    Then then;
    bool answer;
    std::string written;
  };
  const std::string a = "fax:+420-2-111", b = "fax:+420-2-222";  // 14 characters each
  const Case cases[] = {
      {"one URL, two short", a, 16, 1, Then::Cancel, false, ""},
      {"two URLs, one to remove", a + "\r\n" + b, 31, 1, Then::Remove, true, a + "\r\n"},
      {"two URLs, one short", a + "\r\n" + b, 32, 1, Then::Remove, true, a + "\r\n"},
      {"two URLs, just room", a + "\r\n" + b, 33, 0, Then::Cancel, true, a + "\r\n" + b + "\r\n"},
      {"two URLs, cancelled", a + "\r\n" + b, 31, 1, Then::Cancel, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<char> buffer(c.bufLen, '#');
    std::memcpy(buffer.data(), c.input.c_str(), c.input.size() + 1);
    const std::vector<char> before = buffer;
    std::vector<std::string> messages;
    // After the message the chooser is still up: the user removes the last
    // address and confirms again, or cancels.
    std::unique_ptr<ModalDriver> again;
    std::unique_ptr<ModalDriver> box;
    if (c.left > 0)
      box = std::make_unique<ModalDriver>("MessageForm", [&](cl::TForm& message) {
        messages.push_back(Child<cl::TLabel>(message, "Message").Caption());
        again = std::make_unique<ModalDriver>("MultiAddressForm", [&](cl::TForm& form) {
          Form f{form};
          if (c.then == Then::Cancel) {
            cl::testing::TypeKey(form, cl::VK_ESCAPE);
            return;
          }
          f.Mark(f.Selection(), f.Selection().Count() - 1);
          f.Button("selBBtnDel").Click();
          f.Button("selBBtnOK").Click();
        });
        cl::testing::TypeKey(message, cl::VK_RETURN);
      });
    const bool answer = ChoosePhones(buffer, c.bufLen, Stations, AllStations,
                                     [](Form& f) { f.Button("selBBtnOK").Click(); });
    EXPECT_EQ(answer, c.answer);
    const std::vector<std::string> expected =
        c.left > 0 ? std::vector<std::string>{dlg::FormatCount(dlg::SuiteText(20605), c.left)}
                   : std::vector<std::string>{};
    EXPECT_EQ(messages, expected);
    if (c.answer) {
      EXPECT_EQ(std::string(buffer.data(), strnlen(buffer.data(), c.bufLen)), c.written);
    } else {
      EXPECT_EQ(buffer, before) << "cancel leaves the buffer";
    }
  }
}

TEST_F(ChooserTest, TheInputTextIsReadWithinTheBufferOnly) {
  // A buffer of exactly bufLen bytes without a zero: the last line is what
  // lies within it, and nothing beyond is read.
  const std::string text = "fax:+420-2-111\r\nfax:+420-2-2";
  std::vector<char> buffer(text.begin(), text.end());
  std::vector<std::string> shown;
  EXPECT_FALSE(ChoosePhones(buffer, static_cast<std::uint16_t>(buffer.size()), Stations, AllStations, [&](Form& f) {
    shown = f.Rows("selLBox");
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  }));
  EXPECT_EQ(shown, (std::vector<std::string>{"fax:+420-2-111", "fax:+420-2-2"}));
  // Cancel leaves the buffer as it was.
  EXPECT_EQ(std::string(buffer.begin(), buffer.end()), text);
  // No room for the zero: no answer, no form.
  std::vector<char> none(1, 'x');
  EXPECT_FALSE(CHOOSEPHONES(none.data(), 0, Stations, AllStations));
}

TEST_F(ChooserTest, StationListsWithoutThreeDigitsAreNoLists) {
  WriteFile(ListDir() / "BKlst.bak", "Stara kopie\nX|31|0|60|1|65648|0|X|2|420|0|1\n");
  WriteFile(ListDir() / "BKlst.1", "Kratka\n");
  WriteFile(ListDir() / "bklst.003", "Maly seznam\nMala|31|0|60|1|65648|0|X|2|420|0|1\n");
  std::vector<tAddressRecord> records(1, Record(""));
  Choose(records, 0, 1, Stations, AllStations, [](Form& f) {
    auto& choice = Child<cl::TComboBox>(f.form, "sidCBoxUTO");
    std::vector<std::string> entries;
    for (int i = 0; i < choice.Items().Count(); ++i) entries.push_back(choice.Items().Get(i).substr(0, 2));
    EXPECT_EQ(entries, (std::vector<std::string>{"01", "02", "03"}));
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
}

TEST_F(ChooserTest, ADirectoryNamedLikeAListIsNoListAndALinkToAListIsOne) {
  std::filesystem::create_directories(ListDir() / "BKlst.004");
  cl::testing::TempDirectory elsewhere;
  WriteFile(elsewhere / "list", "Odkaz\nOdk|31|0|60|1|65648|0|X|2|420|0|1\n");
  std::filesystem::create_symlink(elsewhere / "list", ListDir() / "BKlst.005");
  std::vector<tAddressRecord> records(1, Record(""));
  Choose(records, 0, 1, Stations, AllStations, [](Form& f) {
    auto& choice = Child<cl::TComboBox>(f.form, "sidCBoxUTO");
    std::vector<std::string> entries;
    for (int i = 0; i < choice.Items().Count(); ++i) entries.push_back(choice.Items().Get(i));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2], "05: Odkaz");
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
}

TEST_F(ChooserTest, SettingsAreKeptAtCloseAndRowKeysAppliedOnlyInRange) {
  struct Case {
    std::int32_t storedRow;
    int expectedRow;
  } const cases[] = {{1, 1}, {2, -1}, {-5, -1}, {99999, -1}};
  for (const Case& c : cases) {
    CFGPUTINTEGER(5, 2);  // list 002
    CFGPUTINTEGER(6, c.storedRow);
    std::vector<tAddressRecord> records(1, Record(""));
    Choose(records, 0, 1, Stations | Phones, AllStations, [&](Form& f) {
      EXPECT_EQ(f.Stations().Count(), 2);
      if (c.expectedRow >= 0) {
        EXPECT_EQ(f.Stations().ItemIndex(), c.expectedRow);
        EXPECT_TRUE(f.Stations().Selected(c.expectedRow));
      }
      EXPECT_EQ(f.Stations().SelCount(), c.expectedRow >= 0 ? 1 : 0) << c.storedRow;
      cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
    });
  }
  // What the user left is what the next run finds.
  std::vector<tAddressRecord> records(1, Record(""));
  Choose(records, 0, 1, Stations | Phones, AllStations, [&](Form& f) {
    auto& choice = Child<cl::TComboBox>(f.form, "sidCBoxUTO");
    choice.SetItemIndex(0);
    choice.OnChange(&choice);
    f.Stations().SetItemIndex(1);
    Child<cl::TTabbedNotebook>(f.form, "TabbedNotebook").SetPageIndex(1);
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
  EXPECT_EQ(CFGGETINTEGER(4), 1);
  EXPECT_EQ(CFGGETINTEGER(5), 1);
  EXPECT_EQ(CFGGETINTEGER(6), 1);
}

TEST_F(ChooserTest, StationsOfAnotherCountryShowAsTakenOnceChosen) {
  CFGPUTINTEGER(5, 2);  // the Slovak list
  std::vector<tAddressRecord> records(1, Record(""));
  Choose(records, 0, 1, Stations, AllStations, [](Form& f) {
    f.Mark(f.Stations(), 0);
    f.Button("selBBtnAdd").Click();
    ASSERT_EQ(f.Selection().Count(), 1);
    // Deleting and re-marking: the row is free again, then taken again.
    f.Mark(f.Selection(), 0);
    f.Button("selBBtnDel").Click();
    f.Mark(f.Stations(), 0);
    EXPECT_TRUE(f.Button("selBBtnAdd").Enabled());
    f.Button("selBBtnAdd").Click();
    f.Mark(f.Stations(), 0);
    EXPECT_FALSE(f.Button("selBBtnAdd").Enabled());
    f.Button("selBBtnOK").Click();
  });
}

TEST_F(ChooserTest, KeysAndMenuShortcutsReachTheirActions) {
  std::vector<tAddressRecord> records(1, Record(""));
  EXPECT_EQ(Choose(records, 0, 1, Stations, AllStations, [](Form& f) {
              // F9 does nothing while OK is off.
              cl::testing::TypeKey(f.form, cl::VK_F9);
              f.Stations().SetFocus();
              f.Stations().SetItemIndex(0);
              f.Mark(f.Stations(), 0);
              cl::testing::TypeKey(f.form, cl::VK_DOWN, cl::ssAlt);
              EXPECT_EQ(f.Selection().Count(), 1);
              cl::testing::TypeKey(f.form, cl::VK_F9);
            }),
            1);
}

}  // namespace

namespace {

// The darkest pixel of a rectangle of the control, as 0x00BBGGRR.
cl::TColor Darkest(cl::TControl& control, cl::TRect r) {
  cl::TColor darkest = 0xFFFFFF;
  int least = 3 * 256;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const cl::TColor c = cl::testing::ScreenPixel(control, x, y);
      const int sum = (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
      if (sum < least) least = sum, darkest = c;
    }
  return darkest;
}

// Within a few steps of each channel: text edges are smoothed.
bool Near(cl::TColor a, cl::TColor b) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 24) return false;
  return true;
}

bool Holds(cl::TControl& control, cl::TRect r, cl::TColor colour) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (Near(cl::testing::ScreenPixel(control, x, y), colour)) return true;
  return false;
}

TEST_F(ChooserTest, StationRowsShowGlyphCellsTakenRowsGreyAndWeekendsRed) {
  cl::TBitmap strip;
  strip.SetHandle(GLYPH("ADRMARKS"));
  ASSERT_FALSE(strip.Empty());
  // A pixel of the network cell (offset 64) that is not transparent.
  int gx = -1, gy = -1;
  for (int y = 0; y < strip.Height() && gx < 0; ++y)
    for (int x = 0; x < GlyphCell; ++x)
      if (strip.Canvas().GetPixel(64 + x, y) != GlyphTransparent) {
        gx = x, gy = y;
        break;
      }
  ASSERT_GE(gx, 0);
  const cl::TColor glyphColour = strip.Canvas().GetPixel(64 + gx, gy);
  cl::TFont rowFont;
  dlg::LoadFontFromConfig(12, rowFont);
  const int slot = rowFont.TextWidth("m1");

  std::vector<tAddressRecord> records(1, Record(""));
  Choose(records, 0, 1, Stations, AllStations, [&](Form& f) {
    cl::TOwnerDrawListBox& list = f.Stations();
    auto& header = Child<cl::THeader>(f.form, "sidHeader");
    list.SetSelected(0, false);
    f.Mark(list, 1);  // Brno: every day of the week
    f.Button("selBBtnAdd").Click();
    list.Invalidate();
    cl::testing::ProcessEvents();
    const cl::TRect praha = list.ItemRect(0), brno = list.ItemRect(1);
    const auto column = [&](const cl::TRect& row, int k) {
      const int left = row.Left + header.SectionLeft(k);
      return cl::Rect(left, row.Top, left + header.SectionWidth(k) - (k == 0 ? 1 : 5), row.Bottom);
    };
    // The first letters of a row's name.
    const auto name = [&](const cl::TRect& row) { return cl::Rect(row.Left + 2, row.Top, row.Left + 30, row.Top + 14); };
    // Both stations are of the network: its glyph in column 2.
    const cl::TRect net = column(praha, 2);
    EXPECT_EQ(cl::testing::ScreenPixel(list, net.Left + 8 + gx, praha.Top + 2 + gy), glyphColour);
    // The taken row's name is grey, the other's black.
    EXPECT_TRUE(Near(Darkest(list, name(brno)), cl::ColorToRGB(cl::clGrayText)));
    EXPECT_TRUE(Near(Darkest(list, name(praha)), cl::ColorToRGB(cl::clWindowText)));
    // Saturday and Sunday marks in red, the working days without.
    const cl::TRect days = column(brno, 4);
    const int textBottom = brno.Top + 14;
    EXPECT_TRUE(Holds(list, cl::Rect(days.Left + 5 * slot, brno.Top, days.Left + 7 * slot + 2, textBottom), 0x0000FF));
    EXPECT_FALSE(Holds(list, cl::Rect(days.Left, brno.Top, days.Left + 5 * slot, textBottom), 0x0000FF));
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
}

TEST_F(ChooserTest, ModeFlagsChooseTheStationsOffered) {
  // List 001 has Praha (network), Brno (network, no type glyph), Ostrava (out
  // of reach) and Plzen (unavailable); list 003 a reachable station outside
  // the network.
  WriteFile(ListDir() / "BKlst.003", "Mistni\nMistni stanice|31|0|60|1|65648|8|X|2|420|0|1\n");
  struct Case {
    std::uint8_t mode;
    std::int32_t list;
    std::size_t stations;
    std::uint16_t caption;
  } const cases[] = {
      {0x01, 1, 2, 20602}, {0x10, 1, 2, 20603}, {0x00, 1, 0, 20602}, {0x01, 3, 1, 20602}, {0x10, 3, 0, 20603},
  };
  for (const Case& c : cases) {
    CFGPUTINTEGER(5, c.list);
    std::vector<tAddressRecord> records(1, Record(""));
    Choose(records, 0, 1, Stations, c.mode, [&](Form& f) {
      EXPECT_EQ(f.Rows("sidLBox").size(), c.stations) << int(c.mode) << " list " << c.list;
      ShortString caption{};
      STBITEM(c.caption, &caption);
      EXPECT_EQ(Child<cl::TTabbedNotebook>(f.form, "TabbedNotebook").PageCaption(0), caption.Str());
      cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
    });
  }
}

TEST_F(ChooserTest, TheRefusedStationIdIsToldAndNotAdded) {
  // 0x10FFD0 as the list's station id.
  WriteFile(ListDir() / "BKlst.003", "Mistni\nZakazana|31|0|60|1|1114064|8|X|2|420|0|1\n");
  CFGPUTINTEGER(5, 3);
  std::vector<tAddressRecord> records(1, Record(""));
  bool told = false;
  Choose(records, 0, 1, Stations, AllStations, [&](Form& f) {
    ASSERT_EQ(f.Stations().Count(), 1);
    const ModalDriver error("MessageForm", [&](cl::TForm& box) {
      told = true;
      cl::testing::TypeKey(box, cl::VK_RETURN);
    });
    f.Mark(f.Stations(), 0);
    f.Button("selBBtnAdd").Click();
    EXPECT_EQ(f.Selection().Count(), 0);
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
  EXPECT_TRUE(told);
}

// Wherever the dialog was, the book goes to the configuration directory under
// the chosen name in upper case.
TEST_F(ChooserTest, ExportWritesTheChosenNameInUpperCaseIntoTheConfigurationDirectory) {
  cl::testing::TempDirectory elsewhere;
  const std::string chosen = elsewhere / "vyber.phn";
  cl::testing::ScriptedDialogs dialogs;
  dialogs.Save = [&](cl::TSaveDialog& dialog) {
    dialog.FileName = chosen;
    return true;
  };
  const std::string url = utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(2), "420", "2", "111");
  std::vector<tAddressRecord> records(2, Record(url));
  Choose(records, 1, 2, Stations, AllStations, [&](Form& f) {
    // Nothing marked in the selection: removing is off, exporting is not.
    f.Selection().SetSelected(0, false);
    f.Selection().Click();
    EXPECT_FALSE(f.Button("selBBtnDel").Enabled());
    EXPECT_TRUE(f.Button("selBBtnExport").Enabled());
    cl::TMenuItem* item = f.form.PopupMenu()->Items().Find("PMnu_selExport");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->Enabled());
    item->Click();
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
  EXPECT_FALSE(std::filesystem::exists(chosen));
  const std::vector<char> book = ReadBytes((ConfigDir() / "VYBER.PHN").string());
  EXPECT_EQ(std::string(book.begin(), book.end()), "\"d\", \"\", \"+420-2-111\", \"FAX\"\r\n");
}

TEST_F(ChooserTest, AnExportThatCannotBeWrittenSaysSoAndLeavesNothing) {
  // The book's name is taken by a directory.
  std::filesystem::create_directories(ConfigDir() / "TAKEN.PHN");
  cl::testing::ScriptedDialogs dialogs;
  dialogs.Save = [&](cl::TSaveDialog& dialog) {
    dialog.FileName = "taken.phn";
    return true;
  };
  std::string told;
  std::vector<tAddressRecord> records(1, Record(utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(2), "420", "2", "111")));
  EXPECT_EQ(Choose(records, 1, 1, Stations, AllStations, [&](Form& f) {
              const ModalDriver error("MessageForm", [&](cl::TForm& box) {
                told = Child<cl::TLabel>(box, "Message").Caption();
                cl::testing::TypeKey(box, cl::VK_RETURN);
              });
              f.Button("selBBtnExport").Click();
              EXPECT_EQ(f.Rows("selLBox").size(), 1u) << "the selection stays";
              f.Button("selBBtnOK").Click();
            }),
            1);
  EXPECT_EQ(told, dlg::SuiteText(20562));
  EXPECT_TRUE(std::filesystem::is_directory(ConfigDir() / "TAKEN.PHN"));
  for (const auto& entry : std::filesystem::directory_iterator(ConfigDir()))
    EXPECT_EQ(entry.path().filename().string().rfind("~brn", 0), std::string::npos) << entry.path();
}

TEST_F(ChooserTest, ColumnWidthsTheUserSetAreThereNextTime) {
  const char* const headers[] = {"sidHeader", "numHeader", "selHeader"};
  std::vector<tAddressRecord> records(1, Record(""));
  std::vector<int> first;
  Choose(records, 0, 1, Stations | Phones, AllStations, [&](Form& f) {
    for (int i = 0; i < 3; ++i) {
      auto& header = Child<cl::THeader>(f.form, headers[i]);
      ASSERT_GT(header.SectionCount(), 1) << headers[i];
      first.push_back(header.SectionWidth(0));
      header.SetSectionWidth(0, first.back() + 10 * (i + 1));
    }
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
  Choose(records, 0, 1, Stations | Phones, AllStations, [&](Form& f) {
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(Child<cl::THeader>(f.form, headers[i]).SectionWidth(0), first[i] + 10 * (i + 1)) << headers[i];
    cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
  });
}

TEST_F(ChooserTest, SelectionRowsShowTheGlyphOfTheirUse) {
  cl::TBitmap strip;
  strip.SetHandle(GLYPH("ADRMARKS"));
  ASSERT_FALSE(strip.Empty());
  struct Case {
    std::uint8_t useFor;
    int offset;
  } const cases[] = {{2, 80}, {3, 96}};
  for (const Case& c : cases) {
    int gx = -1, gy = -1;
    for (int y = 0; y < strip.Height() && gx < 0; ++y)
      for (int x = 0; x < GlyphCell; ++x)
        if (strip.Canvas().GetPixel(c.offset + x, y) != GlyphTransparent) {
          gx = x, gy = y;
          break;
        }
    ASSERT_GE(gx, 0);
    std::vector<tAddressRecord> records(1, Record("fax:+420-2-111"));
    records[0].UseFor = c.useFor;
    Choose(records, 1, 1, Stations, AllStations, [&](Form& f) {
      cl::TOwnerDrawListBox& list = f.Selection();
      list.SetSelected(0, false);
      list.Invalidate();
      cl::testing::ProcessEvents();
      auto& header = Child<cl::THeader>(f.form, "selHeader");
      const cl::TRect row = list.ItemRect(0);
      const int x = row.Left + header.SectionLeft(2) + 8 + gx;
      EXPECT_EQ(cl::testing::ScreenPixel(list, x, row.Top + 2 + gy), strip.Canvas().GetPixel(c.offset + gx, gy))
          << int(c.useFor);
      cl::testing::TypeKey(f.form, cl::VK_ESCAPE);
    });
  }
}

}  // namespace
