#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/header.h"
#include "platform/gui/owner_draw_list_box.h"
#include "platform/gui/tabbed_notebook.h"
#include "platform/gui/test_support/screen_pixels.h"
#include "window_fixture.h"

namespace {

using cl::Make;
namespace t = cl::testing;

using ColumnControlsTest = WindowTest;

TEST_F(ColumnControlsTest, DraggingASectionEdgeResizesItAndReportsTheWidth) {
  auto* header = Make<cl::THeader>(*form);
  header->SetParent(form.get());
  header->SetBounds(0, 0, 300, 20);
  header->AddSection("Name", 100);
  header->AddSection("Place", 60);
  header->AddSection("Days", 50);
  std::vector<std::pair<int, int>> sizing, sized;
  header->OnSizing = [&](cl::TObject*, int section, int32_t width) { sizing.emplace_back(section, width); };
  header->OnSized = [&](cl::TObject*, int section, int32_t width) { sized.emplace_back(section, width); };
  t::ProcessEvents();

  EXPECT_EQ(header->SectionLeft(2), 160);
  EXPECT_EQ(header->GripAt(50), -1);
  EXPECT_EQ(header->GripAt(161), 1);
  t::MouseDown(*header, 161, 10);
  t::MouseMove(*header, 190, 10, cl::ssLeft);
  t::MouseUp(*header, 200, 10);
  EXPECT_EQ(header->SectionWidth(1), 100);
  EXPECT_EQ(header->SectionLeft(2), 200);
  // The release's own move is the last step of the drag.
  EXPECT_EQ(sizing, (std::vector<std::pair<int, int>>{{1, 90}, {1, 100}}));
  EXPECT_EQ(sized, (std::vector<std::pair<int, int>>{{1, 100}}));

  // Dragged past its start, a section keeps one pixel.
  t::MouseDown(*header, 100, 10);
  t::MouseUp(*header, -30, 10);
  EXPECT_EQ(header->SectionWidth(0), cl::THeader::MinSectionWidth);

  // A press away from an edge, or with resizing off, drags nothing.
  header->SetAllowResize(false);
  t::MouseDown(*header, 151, 10);
  t::MouseUp(*header, 250, 10);
  t::MouseDown(*header, 30, 10);
  t::MouseUp(*header, 60, 10);
  EXPECT_EQ(header->SectionWidth(2), 50);
  EXPECT_EQ(sized.size(), 2u);

  header->ClearSections();
  EXPECT_EQ(header->SectionCount(), 0);
  EXPECT_THROW(header->SectionWidth(0), std::out_of_range);
}

TEST_F(ColumnControlsTest, OwnerDrawnRowsAreFixedHighAndDrawnByTheHandler) {
  auto* list = Make<cl::TOwnerDrawListBox>(*form);
  list->SetParent(form.get());
  list->SetBounds(10, 10, 200, 120);
  list->SetMultiSelect(true);
  list->SetItemHeight(18);
  for (const char* row : {"a", "b", "c"}) list->Items().Add(row);
  std::vector<int> drawn;
  list->OnDrawItem = [&](cl::TWinControl*, int index, cl::TRect rect, cl::TOwnerDrawState state) {
    drawn.push_back(index);
    cl::TCanvas& canvas = list->ItemCanvas();
    canvas.FillRect(rect);
    // A marker cell whose colour tells the row and its state.
    const cl::TColor marker = (state & cl::odSelected) ? 0x0000FF : index == 1 ? 0x00FF00 : 0xFF0000;
    canvas.FillRect(cl::Rect(rect.Left + 4, rect.Top + 4, rect.Left + 12, rect.Top + 12), marker);
  };
  list->SetSelected(2, true);
  list->Invalidate();
  t::ProcessEvents();

  const cl::TRect second = list->ItemRect(1);
  EXPECT_EQ(second.Height(), 18);
  EXPECT_EQ(list->ItemRect(2).Top, second.Top + 18);
  EXPECT_EQ(list->ItemAtPos({second.Left + 5, second.Top + 5}), 1);
  EXPECT_EQ(t::ScreenPixel(*list, second.Left + 8, second.Top + 8), 0x00FF00u);
  EXPECT_EQ(t::ScreenPixel(*list, second.Left + 8, list->ItemRect(0).Top + 8), 0xFF0000u);
  EXPECT_EQ(t::ScreenPixel(*list, second.Left + 8, list->ItemRect(2).Top + 8), 0x0000FFu);
  EXPECT_FALSE(drawn.empty());
}

TEST_F(ColumnControlsTest, ATabClickAsksOnChangeWhichMayRefuseIt) {
  auto* book = Make<cl::TTabbedNotebook>(*form);
  book->SetParent(form.get());
  book->SetBounds(0, 0, 300, 200);
  cl::TPage& first = book->AddPage("Stations");
  cl::TPage& second = book->AddPage("Phones");
  bool allow = false;
  std::vector<int> asked;
  int clicks = 0;
  book->OnChange = [&](cl::TObject*, int newTab, bool& allowChange) {
    asked.push_back(newTab);
    allowChange = allow;
  };
  book->OnClick = [&](cl::TObject*) { ++clicks; };
  t::ProcessEvents();
  EXPECT_EQ(book->PageIndex(), 0);
  EXPECT_TRUE(first.Visible());
  EXPECT_FALSE(second.Visible());

  const cl::TRect tab = book->TabRect(1);
  ASSERT_GT(tab.Width(), 0);
  EXPECT_EQ(book->TabAt(tab.Left + 3, tab.Top + 5), 1);
  t::Click(*book, tab.Left + 3, tab.Top + 5);
  EXPECT_EQ(book->PageIndex(), 0);
  allow = true;
  t::Click(*book, tab.Left + 3, tab.Top + 5);
  EXPECT_EQ(book->PageIndex(), 1);
  EXPECT_FALSE(first.Visible());
  EXPECT_TRUE(second.Visible());
  EXPECT_EQ(asked, (std::vector<int>{1, 1}));
  EXPECT_EQ(clicks, 2);
  // The page's area lies below the tabs.
  EXPECT_GE(second.Top(), cl::TTabbedNotebook::TabHeight);

  // From code the page switches without asking.
  book->SetPageIndex(0);
  EXPECT_EQ(book->PageIndex(), 0);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_THROW(book->SetPageIndex(2), std::out_of_range);
}

}  // namespace
