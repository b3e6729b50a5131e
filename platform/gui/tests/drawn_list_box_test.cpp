#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/drawn_list_box.h"
#include "platform/gui/virtual_keys.h"
#include "window_fixture.h"

namespace {

using cl::Make;
namespace t = cl::testing;

class DrawnListBoxTest : public WindowTest {
 protected:
  // 100 rows of 18 pixels in a list showing 10 of them.
  cl::TDrawnListBox& MakeList(int rows = 100) {
    auto* list = Make<cl::TDrawnListBox>(*form);
    list->SetParent(form.get());
    list->SetItemHeight(18);
    list->SetBounds(10, 10, 200, 10 * 18 + 4);
    for (int i = 0; i < rows; ++i) list->Items().Add("row " + std::to_string(i));
    list->OnDrawItem = [this](cl::TWinControl*, int index, cl::TRect rect, cl::TOwnerDrawState state) {
      drawn.push_back({index, rect, state});
    };
    list->SetFocus();
    return *list;
  }
  struct Drawn {
    int index;
    cl::TRect rect;
    cl::TOwnerDrawState state;
  };
  std::vector<Drawn> drawn;
};

TEST_F(DrawnListBoxTest, KeysMoveTheMarkAfterOnKeyDownAndKeepItInView) {
  auto& list = MakeList();
  std::vector<uint16_t> seen;
  list.OnKeyDown = [&](cl::TObject*, uint16_t& key, cl::TShiftState) {
    seen.push_back(key);
    if (key == cl::VK_SPACE) key = 0;
  };
  int clicks = 0;
  list.OnClick = [&](cl::TObject*) { ++clicks; };
  struct Case {
    uint16_t key;
    int mark, top;
  } const cases[] = {
      {cl::VK_DOWN, 0, 0},  {cl::VK_DOWN, 1, 0},  {cl::VK_NEXT, 10, 1},  {cl::VK_END, 99, 90},
      {cl::VK_DOWN, 99, 90}, {cl::VK_PRIOR, 90, 90}, {cl::VK_UP, 89, 89}, {cl::VK_HOME, 0, 0},
      {cl::VK_UP, 0, 0},     {cl::VK_SPACE, 0, 0},
  };
  for (const Case& c : cases) {
    t::PressKey(list, c.key);
    EXPECT_EQ(list.ItemIndex(), c.mark) << "key " << c.key;
    EXPECT_EQ(list.TopIndex(), c.top) << "key " << c.key;
  }
  EXPECT_EQ(seen.size(), std::size(cases)) << "OnKeyDown sees every key first";
  EXPECT_EQ(clicks, 7) << "a click for each move of the mark";
}

TEST_F(DrawnListBoxTest, RowsAreDrawnInTheirRectanglesWithTheMarkedOneSelected) {
  auto& list = MakeList();
  list.SetItemIndex(3);
  drawn.clear();
  list.Repaint();
  t::ProcessEvents();
  ASSERT_FALSE(drawn.empty());
  for (const Drawn& d : drawn) {
    EXPECT_EQ(d.rect, list.ItemRect(d.index));
    EXPECT_EQ(d.rect.Height(), 18);
    EXPECT_EQ((d.state & cl::odSelected) != 0, d.index == 3) << d.index;
    EXPECT_LT(d.index, 11) << "only the rows in view";
  }
}

TEST_F(DrawnListBoxTest, AClickMarksTheRowUnderTheMouseAndRowsPastTheEndAreNone) {
  auto& list = MakeList(5);
  const cl::TRect third = list.ItemRect(2);
  t::Click(list, third.Left + 5, third.Top + 9);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(list.ItemAtPos({third.Left + 5, third.Top + 9}), 2);
  const cl::TRect past = list.ItemRect(7);
  EXPECT_EQ(list.ItemAtPos({past.Left + 5, past.Top + 9}), -1);
  t::Click(list, past.Left + 5, past.Top + 9);
  EXPECT_EQ(list.ItemIndex(), 2);
  list.Items().Delete(4);
  list.Items().Delete(3);
  list.Items().Delete(2);
  EXPECT_EQ(list.ItemIndex(), -1) << "the marked row went";
}

TEST_F(DrawnListBoxTest, TheWheelScrollsThreeRowsANotch) {
  auto& list = MakeList();
  t::Wheel(list, 20, 20, -120);
  EXPECT_EQ(list.TopIndex(), 3);
  t::Wheel(list, 20, 20, -240);
  EXPECT_EQ(list.TopIndex(), 9);
  t::Wheel(list, 20, 20, 360 * 2);
  EXPECT_EQ(list.TopIndex(), 0);
}

}  // namespace
