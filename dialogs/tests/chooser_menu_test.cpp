// The recipient chooser's pop-up menu as the user meets it: what it shows
// when it pops up (captions, shortcut texts, which items are on), and what
// its shortcut keys do.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "brandlg/chooser.h"
#include "chooser_fixture.h"
#include "dialogs/suite_texts.h"
#include "platform/gui/menu.h"
#include "platform/gui/owner_draw_list_box.h"
#include "platform/gui/tabbed_notebook.h"
#include "platform/gui/virtual_keys.h"
#include "suite/brancfg/brancfg.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;
using cl::testing::ShownMenuItem;

constexpr std::uint8_t BothPages = 0x03, AllUses = 0x01 | 0x02 | 0x04 | 0x08;

// The shown item with the caption, at any depth; null when none.
const ShownMenuItem* FindShown(const std::vector<ShownMenuItem>& items, const std::string& caption) {
  for (const ShownMenuItem& item : items) {
    if (item.caption == caption) return &item;
    if (const ShownMenuItem* found = FindShown(item.items, caption)) return found;
  }
  return nullptr;
}

class ChooserMenu : public ChooserWorld {
 protected:
  void SetUp() override {
    ChooserWorld::SetUp();
    WriteFile(ConfigDir() / "A.PHN",
              "\"Alfa Adam\", \"Firma\", \"+420-2-111\", \"FAX\"\r\n"
              "\"Beta Bedrich\", \"\", \"+420-5-222\", \"SMS\"\r\n");
    const ShortString book = ShortString::From("A.PHN");
    CFGPUTSTRING(7, &book);
    CFGPUTINTEGER(4, 0);  // the station page first
  }
  void Run(const std::function<void(cl::TForm&)>& action) {
    std::vector<::tAddressRecord> records(4);
    const ModalDriver driver("MultiAddressForm", action);
    _CHOOSESTATIONS(records.data(), 0, 4, BothPages, AllUses);
  }
};

struct Chooser {
  cl::TForm& form;
  cl::TOwnerDrawListBox& List(const char* name) { return Child<cl::TOwnerDrawListBox>(form, name); }
  int Page() { return Child<cl::TTabbedNotebook>(form, "TabbedNotebook").PageIndex(); }
  void Mark(const char* list, int row) {
    List(list).SetSelected(row, true);
    List(list).Click();
  }
};

TEST_F(ChooserMenu, TheArrowAndPageKeysAreShownBesideTheirItemsAndDoWhatTheySay) {
  struct Case {
    const char* name;
    std::uint16_t text;
    std::uint16_t key;
    const char* shown;
    std::function<void(Chooser&)> before;
    std::function<void(Chooser&)> check;
  } const cases[] = {
      {"Alt+Right", 20582, cl::VK_RIGHT, "Alt+Right", [](Chooser& c) { ASSERT_EQ(c.Page(), 0); },
       [](Chooser& c) { EXPECT_EQ(c.Page(), 1); }},
      {"Alt+Left", 20583, cl::VK_LEFT, "Alt+Left", [](Chooser& c) { ASSERT_EQ(c.Page(), 1); },
       [](Chooser& c) { EXPECT_EQ(c.Page(), 0); }},
      {"Alt+PgDn", 20585, cl::VK_NEXT, "Alt+PgDown", [](Chooser& c) { c.List("sidLBox").SetFocus(); },
       [](Chooser& c) { EXPECT_EQ(c.form.ActiveControl(), &c.List("selLBox")); }},
      {"Alt+PgUp", 20584, cl::VK_PRIOR, "Alt+PgUp", [](Chooser&) {},
       [](Chooser& c) { EXPECT_EQ(c.form.ActiveControl(), &c.List("sidLBox")); }},
      {"Alt+Down", 20586, cl::VK_DOWN, "Alt+Down",
       [](Chooser& c) {
         c.Mark("sidLBox", 0);
         ASSERT_EQ(c.List("selLBox").Count(), 0);
       },
       [](Chooser& c) { EXPECT_EQ(c.List("selLBox").Count(), 1); }},
      {"Alt+Up", 20587, cl::VK_UP, "Alt+Up", [](Chooser& c) { c.Mark("selLBox", 0); },
       [](Chooser& c) { EXPECT_EQ(c.List("selLBox").Count(), 0); }},
  };
  Run([&](cl::TForm& form) {
    Chooser chooser{form};
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      c.before(chooser);
      const std::vector<ShownMenuItem> shown = cl::testing::ShownMenu(*form.PopupMenu());
      const ShownMenuItem* item = FindShown(shown, dlg::SuiteText(c.text));
      ASSERT_NE(item, nullptr);
      EXPECT_EQ(item->shortCut, c.shown);
      cl::testing::TypeKey(form, c.key, cl::ssAlt);
      cl::testing::ProcessEvents();
      c.check(chooser);
    }
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

// The shown item with the caption of text number; fails the test when none.
const ShownMenuItem& Shown(const std::vector<ShownMenuItem>& items, std::uint16_t text) {
  const ShownMenuItem* found = FindShown(items, dlg::SuiteText(text));
  if (found == nullptr) {
    ADD_FAILURE() << "no item " << text;
    static const ShownMenuItem none;
    return none;
  }
  return *found;
}

TEST_F(ChooserMenu, EachPagesItemsSitInASubMenuThatIsOnOnlyOnItsPage) {
  const std::vector<std::uint16_t> bookItems{20593, 20594, 20595, 20596, 20597, 20598, 20599, 20600};
  Run([&](cl::TForm& form) {
    Chooser chooser{form};
    for (const int page : {0, 1}) {
      SCOPED_TRACE(page);
      if (page == 1) cl::testing::TypeKey(form, cl::VK_RIGHT, cl::ssAlt);
      ASSERT_EQ(chooser.Page(), page);
      const std::vector<ShownMenuItem> shown = cl::testing::ShownMenu(*form.PopupMenu());
      const ShownMenuItem& stations = Shown(shown, 20590);
      const ShownMenuItem& book = Shown(shown, 20592);
      EXPECT_EQ(stations.enabled, page == 0);
      EXPECT_EQ(book.enabled, page == 1);
      ASSERT_EQ(stations.items.size(), 1u);
      EXPECT_EQ(stations.items[0].caption, dlg::SuiteText(20591));
      EXPECT_EQ(stations.items[0].shortCut, "Alt+U");
      std::vector<std::uint16_t> inBook;
      for (const std::uint16_t text : bookItems)
        if (FindShown(book.items, dlg::SuiteText(text)) != nullptr) inBook.push_back(text);
      EXPECT_EQ(inBook, bookItems);
      EXPECT_EQ(FindShown(book.items, dlg::SuiteText(20593))->shortCut, "Alt+L");
      EXPECT_EQ(FindShown(book.items, dlg::SuiteText(20596))->shortCut, "Alt+S");
      // Only the page's own items stand beside the others at the top.
      for (const ShownMenuItem& item : shown) {
        if (&item != &stations && &item != &book) {
          EXPECT_TRUE(item.items.empty()) << item.caption;
        }
      }
    }
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

TEST_F(ChooserMenu, NoShortcutOrItemActsOnTheHiddenPage) {
  // Closing asks about the changed book: it is not kept.
  const ModalDriver answer("MessageForm", [](cl::TForm& box) { Child<cl::TControl>(box, "NO").Click(); });
  Run([&](cl::TForm& form) {
    Chooser chooser{form};
    cl::TMenuItem& items = form.PopupMenu()->Items();
    auto& rows = chooser.List("numLBox");
    // An entry marked on the phone-book page, then the station page shown.
    cl::testing::TypeKey(form, cl::VK_RIGHT, cl::ssAlt);
    ASSERT_EQ(chooser.Page(), 1);
    ASSERT_EQ(rows.Count(), 2);
    chooser.Mark("numLBox", 0);
    cl::testing::TypeKey(form, cl::VK_LEFT, cl::ssAlt);
    ASSERT_EQ(chooser.Page(), 0);
    chooser.List("sidLBox").SetFocus();
    cl::testing::ProcessEvents();
    // Its keys and items do nothing here, even when an item is clicked.
    for (const char key : {'L', 'S'}) {
      cl::testing::TypeKey(form, static_cast<std::uint16_t>(key), cl::ssAlt);
      cl::testing::ProcessEvents();
      EXPECT_EQ(form.ActiveControl(), &chooser.List("sidLBox")) << key;
    }
    items.Find("PMnu_numDel")->Click();
    EXPECT_EQ(rows.Count(), 2) << "a hidden entry deleted";
    // On the phone-book page the station page's key does nothing.
    cl::testing::TypeKey(form, cl::VK_RIGHT, cl::ssAlt);
    ASSERT_EQ(chooser.Page(), 1);
    rows.SetFocus();
    cl::testing::ProcessEvents();
    cl::testing::TypeKey(form, 'U', cl::ssAlt);
    cl::testing::ProcessEvents();
    EXPECT_EQ(form.ActiveControl(), &rows);
    items.Find("PMnu_UTO")->Click();
    EXPECT_EQ(form.ActiveControl(), &rows);
    // Where they belong they act.
    cl::testing::TypeKey(form, 'S', cl::ssAlt);
    cl::testing::ProcessEvents();
    EXPECT_EQ(form.ActiveControl(), &Child<cl::TWinControl>(form, "numCBoxSort"));
    rows.SetSelected(0, true);
    items.Find("PMnu_numDel")->Click();
    EXPECT_EQ(rows.Count(), 1);
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

}  // namespace
