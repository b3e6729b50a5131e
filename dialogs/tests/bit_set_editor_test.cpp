#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/gui/button.h"
#include "platform/gui/colors.h"
#include "platform/gui/drawn_list_box.h"
#include "platform/gui/panel.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/screen_pixels.h"
#include "platform/gui/virtual_keys.h"
#include "brandlg/editors.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;
using Set = std::array<std::uint8_t, 32>;

constexpr const char* kThreeItems = "Prvn\xED polo\x9Eka\r\nDruh\xE1 polo\x9Eka\r\nT\xF8" "et\xED polo\x9Eka\r\n";
// The check mark's cell is 16 pixels; texts start 10 pixels right of it.
constexpr int kGlyph = 16, kTextOffset = kGlyph + 10;

Set Elements(std::initializer_list<int> members) {
  Set set{};
  for (const int n : members) set[static_cast<std::size_t>(n / 8)] |= static_cast<std::uint8_t>(1u << (n % 8));
  return set;
}

cl::TDrawnListBox& List(cl::TForm& form) { return Child<cl::TDrawnListBox>(form, "ListBox"); }
std::string Counts(cl::TForm& form) { return Child<cl::TPanel>(form, "PanelCardinality").Caption(); }

struct Shown {
  std::uint16_t result = 0;
  Set current{};
};

// Runs the editor over heap sets of exactly 32 bytes, so that reading past
// them is caught.
Shown Edit(bool editable, const Set& original, const Set& current, const char* items,
           std::function<void(cl::TForm&)> action) {
  const auto before = std::make_unique<Set>(original);
  const auto edited = std::make_unique<Set>(current);
  const ShortString caption = ShortString::From("P\xF8\xEDznaky");
  std::uint16_t result = 0;
  {
    const ModalDriver driver("BitSetEditor", std::move(action));
    result = EDITBITSET(editable ? 1 : 0, &caption, before.get(), edited.get(), items);
  }
  EXPECT_EQ(*before, original) << "the original is only read";
  return {result, *edited};
}

// What a row shows: text pixels by colour class, the widest run of red in
// one pixel row, and the check mark's pixels.
struct RowLook {
  int dark = 0, red = 0, green = 0;
  int widestRedRun = 0;
  int markBlack = 0, markHole = 0;
  int textWidth = 0;
};

RowLook Look(cl::TDrawnListBox& list, int index) {
  RowLook look;
  const cl::TRect row = list.ItemRect(index);
  const std::string text = list.Items().Get(index);
  look.textWidth = list.Canvas().TextWidth(text);
  const int left = row.Left + kTextOffset;
  for (int y = row.Top; y < row.Bottom; ++y) {
    int run = 0;
    for (int x = left; x < left + look.textWidth; ++x) {
      const cl::TColor c = cl::testing::ScreenPixel(list, x, y);
      const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
      const bool red = r >= 200 && g + 100 <= r && b + 100 <= r;
      look.dark += r < 100 && g < 100 && b < 100;
      look.red += red;
      look.green += g >= 200 && r + 100 <= g && b + 100 <= g;
      run = red ? run + 1 : 0;
      look.widestRedRun = std::max(look.widestRedRun, run);
    }
  }
  for (int y = row.Top + 2; y < row.Top + 2 + kGlyph; ++y) {
    for (int x = row.Left + 4; x < row.Left + 4 + kGlyph; ++x) {
      const cl::TColor c = cl::testing::ScreenPixel(list, x, y);
      look.markBlack += c == 0x000000;
      look.markHole += c == 0x800080;
    }
  }
  return look;
}

class BitSetEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { cl::testing::EnsureGuiTestApplication(); }
};

TEST_F(BitSetEditorTest, AddedItemsAreGreenAndRemovedOnesRedAndStruckOut) {
  // Elements 0 and 2 now, 0 and 1 before: 1 is removed, 2 added.
  const Set original = Elements({0, 1}), current = Elements({0, 2});
  RowLook kept, removed, added;
  std::string counts;
  const Shown shown = Edit(true, original, current, kThreeItems, [&](cl::TForm& form) {
    auto& list = List(form);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(list.ItemHeight(), 18);
    counts = Counts(form);
    kept = Look(list, 0);
    removed = Look(list, 1);
    added = Look(list, 2);
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
  EXPECT_EQ(counts, "2/2");
  EXPECT_GT(kept.dark, 10) << "window text";
  EXPECT_EQ(kept.red + kept.green, 0);
  EXPECT_GT(removed.red, 10);
  EXPECT_EQ(removed.green, 0);
  EXPECT_GE(removed.widestRedRun, removed.textWidth * 9 / 10) << "struck out";
  EXPECT_GT(added.green, 10);
  EXPECT_EQ(added.red, 0);
  EXPECT_LT(kept.widestRedRun, 1);
  // The check mark on the members only, its transparent colour never shown.
  EXPECT_GT(kept.markBlack, 5);
  EXPECT_GT(added.markBlack, 5);
  EXPECT_EQ(removed.markBlack, 0);
  EXPECT_EQ(kept.markHole + removed.markHole + added.markHole, 0);
  EXPECT_EQ(shown.result, 2);
  EXPECT_EQ(shown.current, current) << "cancelled";
}

TEST_F(BitSetEditorTest, KeysClicksAndOriginalEditTheSet) {
  const Set original = Elements({0, 1});
  struct Case {
    const char* name;
    std::function<void(cl::TDrawnListBox&, cl::TForm&)> action;
    Set stored;
    int markAfter;
    std::string counts;
  } const cases[] = {
      {"Insert on the last row toggles it and keeps the mark",
       [](cl::TDrawnListBox& list, cl::TForm&) {
         list.SetItemIndex(2);
         cl::testing::PressKey(list, cl::VK_INSERT);
       },
       Elements({0}), 2, "1/2"},
      {"Insert moves the mark to the next row",
       [](cl::TDrawnListBox& list, cl::TForm&) {
         list.SetItemIndex(1);
         cl::testing::PressKey(list, cl::VK_INSERT);
       },
       Elements({0, 1, 2}), 2, "3/2"},
      {"Space toggles in place",
       [](cl::TDrawnListBox& list, cl::TForm&) {
         list.SetItemIndex(0);
         cl::testing::PressKey(list, cl::VK_SPACE, 0, ' ');
       },
       Elements({2}), 0, "1/2"},
      {"Space with Ctrl is not a toggle",
       [](cl::TDrawnListBox& list, cl::TForm&) {
         list.SetItemIndex(0);
         cl::testing::PressKey(list, cl::VK_SPACE, cl::ssCtrl);
       },
       Elements({0, 2}), 0, "2/2"},
      {"Down then Space toggles the next row",
       [](cl::TDrawnListBox& list, cl::TForm&) {
         list.SetItemIndex(0);
         cl::testing::PressKey(list, cl::VK_DOWN);
         cl::testing::PressKey(list, cl::VK_SPACE, 0, ' ');
       },
       Elements({0, 1, 2}), 1, "3/2"},
      {"a double click toggles the row",
       [](cl::TDrawnListBox& list, cl::TForm&) {
         const cl::TRect row = list.ItemRect(1);
         cl::testing::DoubleClick(list, row.Left + 40, row.Top + 9);
       },
       Elements({0, 1, 2}), 1, "3/2"},
      {"Alt+Backspace restores the original",
       [](cl::TDrawnListBox& list, cl::TForm&) { cl::testing::PressKey(list, cl::VK_BACK, cl::ssAlt); },
       Elements({0, 1}), -1, "2/2"},
      {"the Original button restores it",
       [](cl::TDrawnListBox&, cl::TForm& form) { Child<cl::TBitBtn>(form, "BitBtnOriginal").Click(); },
       Elements({0, 1}), -1, "2/2"},
  };
  for (const Case& c : cases) {
    int mark = -3;
    std::string counts;
    const Shown shown = Edit(true, original, Elements({0, 2}), kThreeItems, [&](cl::TForm& form) {
      auto& list = List(form);
      c.action(list, form);
      mark = list.ItemIndex();
      counts = Counts(form);
      Child<cl::TBitBtn>(form, "BitBtnOK").Click();
    });
    EXPECT_EQ(shown.result, 1) << c.name;
    EXPECT_EQ(shown.current, c.stored) << c.name;
    EXPECT_EQ(mark, c.markAfter) << c.name;
    EXPECT_EQ(counts, c.counts) << c.name;
  }
}

TEST_F(BitSetEditorTest, AReadOnlyEditorAnswersItsResultButNeverChangesTheSet) {
  const Set original = Elements({0, 1}), current = Elements({0, 2});
  bool okEnabled = true, originalEnabled = true;
  std::string counts;
  const Shown shown = Edit(false, original, current, kThreeItems, [&](cl::TForm& form) {
    auto& list = List(form);
    okEnabled = Child<cl::TBitBtn>(form, "BitBtnOK").Enabled();
    originalEnabled = Child<cl::TBitBtn>(form, "BitBtnOriginal").Enabled();
    list.SetItemIndex(0);
    cl::testing::PressKey(list, cl::VK_SPACE, 0, ' ');
    cl::testing::PressKey(list, cl::VK_INSERT);
    cl::testing::PressKey(list, cl::VK_BACK, cl::ssAlt);
    const cl::TRect row = list.ItemRect(2);
    cl::testing::DoubleClick(list, row.Left + 40, row.Top + 9);
    counts = Counts(form);
    // Enter finds no enabled default button.
    cl::testing::TypeKey(form, cl::VK_RETURN);
    EXPECT_EQ(form.ModalResult(), cl::mrNone);
    form.SetModalResult(cl::mrOk);
  });
  EXPECT_FALSE(okEnabled);
  EXPECT_FALSE(originalEnabled);
  EXPECT_EQ(counts, "2/2");
  EXPECT_EQ(shown.result, 1);
  EXPECT_EQ(shown.current, current);
}

TEST_F(BitSetEditorTest, ThreeHundredItemsCountAndToggleOnlyTheSetsElements) {
  std::string items;
  for (int i = 0; i < 300; ++i) items += "Polo\x9Eka " + std::to_string(i) + "\r\n";
  Set full;
  full.fill(0xFF);
  std::string before, afterPastTheSet, afterLast;
  RowLook pastTheSet, lastElement;
  const Shown shown = Edit(true, full, full, items.c_str(), [&](cl::TForm& form) {
    auto& list = List(form);
    EXPECT_EQ(list.Count(), 300);
    before = Counts(form);
    cl::testing::PressKey(list, cl::VK_END);
    EXPECT_EQ(list.ItemIndex(), 299);
    cl::testing::PressKey(list, cl::VK_SPACE, 0, ' ');
    cl::testing::PressKey(list, cl::VK_INSERT);
    afterPastTheSet = Counts(form);
    list.SetItemIndex(-1);
    pastTheSet = Look(list, 299);
    list.SetItemIndex(255);
    cl::testing::PressKey(list, cl::VK_SPACE, 0, ' ');
    afterLast = Counts(form);
    list.SetItemIndex(-1);
    list.SetTopIndex(250);
    lastElement = Look(list, 254);
    Child<cl::TBitBtn>(form, "BitBtnOK").Click();
  });
  EXPECT_EQ(before, "256/256");
  EXPECT_EQ(afterPastTheSet, "256/256") << "rows past element 255 toggle nothing";
  EXPECT_EQ(afterLast, "255/256");
  EXPECT_EQ(pastTheSet.markBlack, 0) << "no check mark past element 255";
  EXPECT_GT(lastElement.markBlack, 5);
  Set expected = full;
  expected[31] = 0x7F;
  EXPECT_EQ(shown.result, 1);
  EXPECT_EQ(shown.current, expected);
}

TEST_F(BitSetEditorTest, ElementsBeyondTheListedItemsAreKeptAndCountedOnlyInTheirLastByte) {
  // Element 5 shares the byte of the three listed items; 200 is far past them.
  const Set current = Elements({5, 200});
  std::string counts;
  const Shown shown = Edit(true, Set{}, current, kThreeItems, [&](cl::TForm& form) {
    counts = Counts(form);
    auto& list = List(form);
    list.SetItemIndex(0);
    cl::testing::PressKey(list, cl::VK_SPACE, 0, ' ');
    Child<cl::TBitBtn>(form, "BitBtnOK").Click();
  });
  EXPECT_EQ(counts, "1/0");
  EXPECT_EQ(shown.result, 1);
  EXPECT_EQ(shown.current, Elements({0, 5, 200}));
}

TEST_F(BitSetEditorTest, NoItemsCountNothing) {
  Set full;
  full.fill(0xFF);
  std::string counts;
  Edit(true, full, full, "", [&](cl::TForm& form) {
    counts = Counts(form);
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
  EXPECT_EQ(counts, "0/0");
}

}  // namespace
