// The entry editor through EDITPHONEITEM, driven through its controls: what
// it shows of an entry, what OK stores, the uses the caller allows, and the
// country and area choosers on the Down arrow.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "dialogs/disk.h"
#include "dialogs/tab_list_box.h"
#include "brandlg/editors.h"
#include "brandlg/phone_book.h"
#include "dialogs/tests/library_layout.h"
#include "dialogs/tests/phone_book_fixtures.h"
#include "dialogs/tests/file_bytes.h"
#include "platform/gui/check_box.h"
#include "platform/gui/edit.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/virtual_keys.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;
using dlg::tPhoneBookItem;

using dlg::testing::Entry;

bool SameBytes(const tPhoneBookItem& a, const tPhoneBookItem& b) {
  const auto fields = [](const tPhoneBookItem& e) {
    return e.Name.Str() + "|" + e.Company.Str() + "|" + e.Country.Str() + "|" + e.Area.Str() + "|" +
           e.Number.Str() + "|" + std::to_string(e.UseFor);
  };
  return fields(a) == fields(b);
}

std::string Text(cl::TForm& form, const char* edit) { return Child<cl::TEdit>(form, edit).Text(); }

// Replaces an edit's text by typing it, as the user does.
void Type(cl::TForm& form, const char* name, const std::string& text) {
  auto& edit = Child<cl::TEdit>(form, name);
  edit.SetFocus();
  edit.SelectAll();
  cl::testing::PressKey(edit, cl::VK_DELETE);
  for (const char ch : text) {
    const char upper = ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 32) : ch;
    cl::testing::PressKey(edit, static_cast<std::uint16_t>(static_cast<unsigned char>(upper)), 0, ch);
  }
}

std::uint16_t Edit(tPhoneBookItem& entry, std::uint8_t allowed, const std::function<void(cl::TForm&)>& action) {
  const ModalDriver driver("PhoneItemForm", action);
  return EDITPHONEITEM(dlg::testing::AsPassed(&entry), allowed);
}

class PhoneItemFormTest : public ::testing::Test {
 protected:
  void SetUp() override { cl::testing::EnsureGuiTestApplication(); }
};

TEST_F(PhoneItemFormTest, TheEntryShowsInItsControls) {
  struct Case {
    const char* name;
    const char* sureName;
    const char* firstName;
  };
  const Case cases[] = {{"Nov\xE1k Jan Ing.", "Nov\xE1k", "Jan Ing."},
                        {"Nov\xE1k", "Nov\xE1k", ""},
                        {"Nov\xE1k   Jan", "Nov\xE1k", "Jan"},
                        {" Jan", "", "Jan"}};
  for (const Case& c : cases) {
    tPhoneBookItem entry = Entry(c.name, "Firma", "420", "2", "12345678", 1);
    const tPhoneBookItem before = entry;
    const auto result = Edit(entry, 0x0E, [&](cl::TForm& form) {
      EXPECT_EQ(Text(form, "EditSureName"), c.sureName) << c.name;
      EXPECT_EQ(Text(form, "EditName"), c.firstName) << c.name;
      EXPECT_EQ(Text(form, "EditCompany"), "Firma");
      EXPECT_EQ(Text(form, "EditState"), "+420");
      EXPECT_EQ(Text(form, "EditCity"), "2");
      EXPECT_EQ(Text(form, "EditPhone"), "12345678");
      Type(form, "EditPhone", "999");
      cl::testing::TypeKey(form, cl::VK_ESCAPE);
    });
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(SameBytes(entry, before)) << "Esc leaves the entry as it was";
  }
}

TEST_F(PhoneItemFormTest, EnterStoresWhatWasTypedTrimmedAndCut) {
  tPhoneBookItem entry = Entry("Nov\xE1k Jan", "Firma", "+420", "2", "12345678", 1);
  const auto result = Edit(entry, 0x0E, [](cl::TForm& form) {
    Type(form, "EditSureName", "  Dvorak ");
    Type(form, "EditName", "");
    Type(form, "EditCompany", std::string(70, 'c'));
    Type(form, "EditState", " 421 ");
    Type(form, "EditCity", "7");
    Type(form, "EditPhone", " 55512345678901 ");
    cl::testing::TypeKey(form, cl::VK_RETURN);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(entry.Name.Str(), "Dvorak ") << "an empty first name leaves a trailing blank";
  EXPECT_EQ(entry.Company.Str(), std::string(63, 'c'));
  EXPECT_EQ(entry.Country.Str(), "+421");
  EXPECT_EQ(entry.Area.Str(), "7");
  EXPECT_EQ(entry.Number.Str(), "5551234567890");
}

TEST_F(PhoneItemFormTest, OnlyTheUsesTheCallerAllowsAreShownAndStored) {
  struct Case {
    const char* what;
    std::uint8_t allowed, useFor;
    const char* click;  // a radio the user clicks, or null
    const char* checked;
    std::uint8_t stored;
  };
  const Case cases[] = {
      {"only fax, an SMS entry", 0x04, 3, nullptr, "RBtnFAX", 2},
      {"only fax, a network entry", 0x04, 1, nullptr, "RBtnFAX", 2},
      {"only fax, the disabled SMS radio clicked", 0x04, 2, "RBtnSMS", "RBtnFAX", 2},
      {"network and SMS, a fax entry", 0x0A, 2, nullptr, "RBtnBrannik", 1},
      {"only SMS, no use yet", 0x08, 0, nullptr, "RBtnSMS", 3},
      {"all, no use yet", 0x0E, 0, nullptr, "RBtnBrannik", 1},
      {"all, fax clicked", 0x0E, 3, "RBtnFAX", "RBtnFAX", 2},
      {"all, SMS clicked", 0x0E, 1, "RBtnSMS", "RBtnSMS", 3},
  };
  const char* const radios[] = {"RBtnBrannik", "RBtnFAX", "RBtnSMS"};
  for (const Case& c : cases) {
    tPhoneBookItem entry = Entry("A B", "", "+420", "2", "1", c.useFor);
    const auto result = Edit(entry, c.allowed, [&](cl::TForm& form) {
      for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Child<cl::TRadioButton>(form, radios[i]).Enabled(), (c.allowed & (2 << i)) != 0)
            << c.what << " " << radios[i];
      if (c.click) {
        auto& radio = Child<cl::TRadioButton>(form, c.click);
        cl::testing::Click(radio, 5, radio.Height() / 2);
      }
      for (const char* radio : radios)
        EXPECT_EQ(Child<cl::TRadioButton>(form, radio).Checked(), std::strcmp(radio, c.checked) == 0)
            << c.what << " " << radio;
      cl::testing::TypeKey(form, cl::VK_RETURN);
    });
    EXPECT_EQ(result, 1) << c.what;
    EXPECT_EQ(entry.UseFor, c.stored) << c.what;
  }
}

TEST_F(PhoneItemFormTest, WhatIsNoEntryIsRefusedWithoutAForm) {
  cl::TStringList other;
  EXPECT_EQ(EDITPHONEITEM(dlg::testing::AsPassed(&other), 0x0E), 2);
  EXPECT_EQ(EDITPHONEITEM(nullptr, 0x0E), 2);
}

// A calling program's own entry, built by the header, is edited in place;
// the library's entry is edited through the pointer a row holds.
TEST_F(PhoneItemFormTest, EntriesOfEitherOriginAreEditedInPlace) {
  ::tPhoneBookItem record = dlg::testing::Record("Nov\xE1k Jan", "Firma", "420", "2", "12345678", 1);
  const auto typed = [](cl::TForm& form) {
    EXPECT_EQ(Text(form, "EditSureName"), "Nov\xE1k");
    EXPECT_EQ(Text(form, "EditState"), "+420");
    Type(form, "EditPhone", "999");
    cl::testing::TypeKey(form, cl::VK_RETURN);
  };
  {
    const ModalDriver driver("PhoneItemForm", typed);
    EXPECT_EQ(EDITPHONEITEM(&record, 0x0E), 1);
  }
  EXPECT_EQ(dlg::testing::TextOf(record.Number), "999");
  EXPECT_EQ(dlg::testing::TextOf(record.Country), "+420");
  EXPECT_EQ(record.ClassPointer, nullptr);

  tPhoneBookItem entry = Entry("Nov\xE1k Jan", "Firma", "420", "2", "12345678", 1);
  {
    const ModalDriver driver("PhoneItemForm", typed);
    EXPECT_EQ(EDITPHONEITEM(dlg::testing::AsPassed(&entry), 0x0E), 1);
  }
  EXPECT_EQ(entry.Number.Str(), "999");
}

void WriteList(const std::string& dir, const std::string& name, const std::string& text) {
  std::filesystem::create_directories(dir);
  WriteBytes(dir + name, std::vector<char>(text.begin(), text.end()));
}

TEST_F(PhoneItemFormTest, TheDownArrowOpensTheCountryAndAreaChoosersBelowTheirEdits) {
  ASSERT_TRUE(LibraryLayout::IsScratch()) << "the choosers would read another list directory";
  const std::string dir = dlg::GlobalDisk().ListDir();
  WriteList(dir, "states.lst", "\xC8" "esko # +420\r\nSlovensko # +421\r\n");
  WriteList(dir, "tto421.lst", "Bratislava # 2\r\nKo\x9A" "ice # 55\r\n");
  tPhoneBookItem entry = Entry("A B", "", "+420", "2", "1", 1);
  const auto result = Edit(entry, 0x0E, [](cl::TForm& form) {
    auto& state = Child<cl::TEdit>(form, "EditState");
    auto& city = Child<cl::TEdit>(form, "EditCity");
    {
      const ModalDriver chooser("DualListForm", [&](cl::TForm& list) {
        const cl::TPoint below = form.ClientToScreen({state.Left(), state.Top() + state.Height()});
        EXPECT_EQ(list.Left(), below.X);
        EXPECT_EQ(list.Top(), below.Y);
        auto& rows = Child<dlg::tTabListBox>(list, "List");
        EXPECT_EQ(rows.ItemIndex(), 0) << "the entry's country is preselected";
        rows.SetItemIndex(1);
        cl::testing::TypeKey(list, cl::VK_RETURN);
      });
      state.SetFocus();
      cl::testing::PressKey(state, cl::VK_DOWN);
    }
    EXPECT_EQ(state.Text(), "+421");
    {
      const ModalDriver chooser("DualListForm", [](cl::TForm& list) {
        auto& rows = Child<dlg::tTabListBox>(list, "List");
        ASSERT_EQ(rows.Count(), 2) << "the areas of the country now in the edit";
        EXPECT_EQ(rows.ItemIndex(), 0);
        rows.SetItemIndex(1);
        cl::testing::TypeKey(list, cl::VK_RETURN);
      });
      city.SetFocus();
      cl::testing::PressKey(city, cl::VK_DOWN);
    }
    EXPECT_EQ(city.Text(), "55");
    {
      // A double click where no row is chooses nothing; the edit keeps its text.
      const ModalDriver chooser("DualListForm", [](cl::TForm& list) {
        auto& rows = Child<dlg::tTabListBox>(list, "List");
        rows.SetItemIndex(-1);
        cl::testing::DoubleClick(rows, 20, rows.ClientHeight() - 5);
        cl::testing::TypeKey(list, cl::VK_ESCAPE);
      });
      cl::testing::PressKey(city, cl::VK_DOWN);
    }
    EXPECT_EQ(city.Text(), "55");
    cl::testing::TypeKey(form, cl::VK_RETURN);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(entry.Country.Str(), "+421");
  EXPECT_EQ(entry.Area.Str(), "55");
}

}  // namespace
