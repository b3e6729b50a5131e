// The dual-list chooser through SELECTFROMDUAL: which lines give rows, the
// preselection, the placement at a point, and what closes it with a pair.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "dialogs/dual_list_file.h"
#include "dialogs/dual_list_form.h"
#include "dialogs/tab_list_box.h"
#include "brandlg/editors.h"
#include "brandlg/phone_book.h"
#include "dialogs/tests/file_bytes.h"
#include "platform/gui/header.h"
#include "platform/gui/panel.h"
#include "platform/gui/screen.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/screen_pixels.h"
#include "platform/gui/test_support/x_server.h"
#include "platform/gui/virtual_keys.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;

ShortString S(const std::string& text) { return ShortString::From(text); }

// Of the first four lines only the first holds a pair; the last is there to
// be preselected by a value in another case.
const std::string fixture =
    "  Praha   #  2ab  \r\n"
    "#420\r\n"
    "Brno#\r\n"
    "Ostrava 69\r\n"
    "Plze\xF2 # 19Bx\r\n";

struct Outcome {
  std::uint16_t result = 0;
  std::string key = "old key", value = "old value";
};

Outcome Select(const std::string& file, const std::string& current, const std::function<void(cl::TForm&)>& action,
               std::int32_t x = 10, std::int32_t y = 20) {
  const ShortString name = S(file), caption = S("Oblasti"), first = S("M\xEDsto"), second = S("K\xF3" "d"),
                    wanted = S(current);
  ShortString key = S("old key"), value = S("old value");
  Outcome outcome;
  {
    const ModalDriver driver("DualListForm", action);
    outcome.result = SELECTFROMDUAL(x, y, &name, &caption, &first, &second, &wanted, &key, &value);
  }
  outcome.key = key.Str();
  outcome.value = value.Str();
  return outcome;
}

class DualListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cl::testing::EnsureGuiTestApplication();
    WriteBytes(dir_ / "areas.lst", std::vector<char>(fixture.begin(), fixture.end()));
  }
  std::string File() const { return dir_ / "areas.lst"; }

 private:
  cl::testing::TempDirectory dir_;
};

TEST_F(DualListTest, OnlyLinesWithBothSidesGiveRowsTrimmedAndInOrder) {
  Select(File(), "", [](cl::TForm& form) {
    auto& list = Child<dlg::tTabListBox>(form, "List");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items()[0], "Praha\t2ab");
    EXPECT_EQ(list.Items()[1], "Plze\xF2\t19Bx");
    EXPECT_EQ(list.ItemIndex(), -1) << "no value given, no row focused";
    EXPECT_EQ(form.Caption(), "Oblasti");
    auto& header = Child<cl::THeader>(form, "Header");
    ASSERT_EQ(header.SectionCount(), 2);
    EXPECT_EQ(header.SectionText(0), "M\xEDsto");
    EXPECT_EQ(header.SectionText(1), "K\xF3" "d");
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

TEST_F(DualListTest, TheValueColumnStartsWhereTheSecondHeaderSectionDoes) {
  Select(File(), "", [](cl::TForm& form) {
    auto& header = Child<cl::THeader>(form, "Header");
    auto& list = Child<dlg::tTabListBox>(form, "List");
    EXPECT_EQ(header.SectionWidth(0), (header.Width() * 7 + 5) / 10);
    ASSERT_EQ(list.TabStopPixels().size(), 1u);
    // Dialog units round down twice: a few pixels short of the section's edge.
    EXPECT_LE(list.TabStopPixels()[0], header.SectionWidth(0));
    EXPECT_GT(list.TabStopPixels()[0], header.SectionWidth(0) - 8);
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

// The leftmost x from `from` on where the list shows text, or -1. Lines of
// pixels whose right end is not the empty list's colour (a highlighted row)
// are passed over.
int FirstInkFrom(dlg::tTabListBox& list, int from) {
  const int right = list.Width() - 4;
  const cl::TColor background = cl::testing::ScreenPixel(list, right, list.Height() - 4);
  int first = -1;
  // The two rows of the fixture lie well within four row heights.
  for (int y = 0; y < 4 * list.ItemHeight(); ++y) {
    if (cl::testing::ScreenPixel(list, right, y) != background) continue;
    for (int x = from; x < right && (first < 0 || x < first); ++x)
      if (cl::testing::ScreenPixel(list, x, y) != background) first = x;
  }
  return first;
}

TEST_F(DualListTest, DraggingTheSectionsEdgeMovesTheValueColumn) {
  Select(File(), "", [](cl::TForm& form) {
    auto& header = Child<cl::THeader>(form, "Header");
    auto& list = Child<dlg::tTabListBox>(form, "List");
    const int oldEdge = header.SectionWidth(0);
    const int newEdge = 90;
    ASSERT_GT(oldEdge, newEdge + 40);
    // The keys end well left of both edges: the first ink after x = 60 is a
    // value's.
    const int before = FirstInkFrom(list, 60);
    EXPECT_GT(before, oldEdge - 12);
    cl::testing::MouseDown(header, oldEdge, 5);
    cl::testing::MouseMove(header, 120, 5, cl::ssLeft);
    cl::testing::MouseUp(header, newEdge, 5);
    cl::testing::ProcessEvents();
    ASSERT_EQ(header.SectionWidth(0), newEdge);
    ASSERT_EQ(list.TabStopPixels().size(), 1u);
    EXPECT_LE(list.TabStopPixels()[0], newEdge);
    EXPECT_GT(list.TabStopPixels()[0], newEdge - 8);
    const int after = FirstInkFrom(list, 60);
    EXPECT_GT(after, newEdge - 12);
    EXPECT_LT(after, newEdge + 6);
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

TEST_F(DualListTest, TheClosingDecidesWhetherAPairIsChosen) {
  const auto belowTheRows = [](cl::TForm& form) {
    auto& list = Child<dlg::tTabListBox>(form, "List");
    cl::testing::DoubleClick(list, 20, list.ClientHeight() - 5);
    EXPECT_EQ(form.ModalResult(), cl::mrNone) << "a double click where no row is chooses nothing";
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  };
  struct Case {
    const char* what;
    std::string current;
    std::function<void(cl::TForm&)> action;
    Outcome expected;
  };
  const Case cases[] = {
      {"Enter on the preselected row, found in another case", "19bX",
       [](cl::TForm& form) { cl::testing::TypeKey(form, cl::VK_RETURN); }, {1, "Plze\xF2", "19Bx"}},
      {"double click on a row", "",
       [](cl::TForm& form) {
         auto& list = Child<dlg::tTabListBox>(form, "List");
         cl::testing::DoubleClick(list, 20, list.ItemHeight() / 2 + 1);
       },
       {1, "Praha", "2ab"}},
      {"Esc", "2AB", [](cl::TForm& form) { cl::testing::TypeKey(form, cl::VK_ESCAPE); },
       {2, "old key", "old value"}},
      {"Enter with no row focused does nothing", "none",
       [](cl::TForm& form) {
         cl::testing::TypeKey(form, cl::VK_RETURN);
         EXPECT_EQ(form.ModalResult(), cl::mrNone);
         cl::testing::TypeKey(form, cl::VK_ESCAPE);
       },
       {2, "old key", "old value"}},
      {"Shift+Enter does nothing", "2ab",
       [](cl::TForm& form) {
         cl::testing::TypeKey(form, cl::VK_RETURN, cl::ssShift);
         EXPECT_EQ(form.ModalResult(), cl::mrNone);
         cl::testing::TypeKey(form, cl::VK_ESCAPE);
       },
       {2, "old key", "old value"}},
      {"double click where no row is", "", belowTheRows, {2, "old key", "old value"}},
  };
  for (const Case& c : cases) {
    const Outcome got = Select(File(), c.current, c.action);
    EXPECT_EQ(got.result, c.expected.result) << c.what;
    EXPECT_EQ(got.key, c.expected.key) << c.what;
    EXPECT_EQ(got.value, c.expected.value) << c.what;
  }
}

TEST_F(DualListTest, AMissingFileShowsNoRowsAndADoubleClickChoosesNothing) {
  const cl::testing::TempDirectory empty;
  const Outcome got = Select(empty / "none.lst", "2ab", [](cl::TForm& form) {
    auto& list = Child<dlg::tTabListBox>(form, "List");
    EXPECT_EQ(list.Count(), 0);
    cl::testing::DoubleClick(list, 20, 10);
    EXPECT_EQ(form.ModalResult(), cl::mrNone);
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
  EXPECT_EQ(got.result, 2);
  EXPECT_EQ(got.key, "old key");
}

TEST_F(DualListTest, TheFormStaysOnTheScreenWhereverThePointIs) {
  const int screenWidth = cl::Screen().Width(), screenHeight = cl::Screen().Height();
  struct Case {
    std::int32_t x, y;
    bool rightEdge, bottomEdge;  // else at the point, or 0 when it is negative
  };
  // 40000 passes for -25536 in 16 bits, 70000 for 4464.
  const Case cases[] = {{10, 20, false, false}, {40000, 20, true, false}, {70000, 30000, true, true},
                        {-500, -20, false, false}, {20, 2000000000, false, true}};
  for (const Case& c : cases) {
    int left = -1, top = -1, width = 0, height = 0;
    Select(
        File(), "",
        [&](cl::TForm& form) {
          left = form.Left(), top = form.Top(), width = form.Width(), height = form.Height();
          cl::testing::TypeKey(form, cl::VK_ESCAPE);
        },
        c.x, c.y);
    SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
    EXPECT_EQ(left, c.rightEdge ? screenWidth - width - 8 : std::max(0, c.x));
    EXPECT_EQ(top, c.bottomEdge ? screenHeight - height - 8 : std::max(0, c.y));
  }
}

// On a dense X screen the point is still in the screen's own pixels (Qt
// places windows at whole coordinates of its own: within ratio / 2).
class DualListOnAnXServer : public DualListTest {};

TEST_F(DualListOnAnXServer, TheFormShowsAtTheCallersScreenPixels) {
  if (!cl::testing::OnAnXServer()) GTEST_SKIP() << "Qt does not run on X";
  const double ratio = cl::testing::DevicePixelRatio();
  ASSERT_GT(ratio, 1.0) << "the X run scales its screen (QT_FONT_DPI=144)";
  std::optional<cl::TPoint> shown;
  Select(
      File(), "",
      [&](cl::TForm& form) {
        shown = cl::testing::XWindowPosition(form);
        cl::testing::TypeKey(form, cl::VK_ESCAPE);
      },
      100, 200);
  ASSERT_TRUE(shown.has_value());
  EXPECT_LE(std::abs(shown->X - 100), std::ceil(ratio / 2)) << shown->X;
  EXPECT_LE(std::abs(shown->Y - 200), std::ceil(ratio / 2)) << shown->Y;
}

}  // namespace

namespace {

// The suite's sample country and area lists are what the editor's choosers
// show: each line but the title a pair.
TEST(DualListFile, TheSuitesSampleListsGiveAPairALine) {
  struct Case {
    const char* file;
    std::size_t pairs;
    const char* firstValue;
  };
  const Case cases[] = {{"states.lst", 4, "+420"}, {"tto420.lst", 4, "2"}, {"tto421.lst", 2, "2"}};
  for (const Case& c : cases) {
    const auto file = dlg::ReadDualListFile(std::string(BRANNIK_SOURCE_ROOT) + "/suite/data/lst/" + c.file);
    EXPECT_TRUE(file.complete) << c.file;
    ASSERT_EQ(file.pairs.size(), c.pairs) << c.file;
    EXPECT_EQ(file.pairs[0].value, c.firstValue) << c.file;
  }
}

}  // namespace
