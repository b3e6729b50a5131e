#include <gtest/gtest.h>

#include "platform/gui/scroll_bar.h"
#include "window_fixture.h"

namespace {

using cl::Make;
using cl::TScrollBar;

using ScrollBarTest = WindowTest;

TEST_F(ScrollBarTest, ThePageLiesInsideTheRangeAndLimitsThePosition) {
  auto* bar = Make<TScrollBar>(*form);
  bar->SetParent(form.get());
  bar->SetKind(cl::sbVertical);
  struct Case {
    int min, max;
    unsigned page;
    int pos;
    int expectedPos, expectedMaxPos;
    unsigned expectedPage;
  } const cases[] = {
      {0, 1000, 0, 2000, 1000, 1000, 0},     // no page: the range's end
      {0, 1000, 101, 2000, 900, 900, 101},   // viewer style: page = panel height + 1
      {0, 1000, 101, -5, 0, 900, 101},       // never below the minimum
      {0, 99, 500, 50, 0, 0, 100},           // a page wider than the range shrinks to it
      {10, 20, 5, 15, 15, 16, 5},
      {0, 70000, 1000, 69500, 69001, 69001, 1000},  // positions beyond 16 bits
  };
  for (const Case& c : cases) {
    cl::TScrollInfo info;
    info.Min = c.min;
    info.Max = c.max;
    info.Page = c.page;
    info.Pos = c.pos;
    bar->SetScrollInfo(info, cl::SIF_ALL);
    const cl::TScrollInfo got = bar->GetScrollInfo();
    EXPECT_EQ(got.Pos, c.expectedPos) << c.max << "/" << c.page << "/" << c.pos;
    EXPECT_EQ(bar->MaxPosition(), c.expectedMaxPos) << c.max << "/" << c.page;
    EXPECT_EQ(got.Page, c.expectedPage);
    EXPECT_EQ(got.TrackPos, got.Pos);
  }
}

TEST_F(ScrollBarTest, NotificationsMoveByLinePageAndThumbThroughOnScroll) {
  auto* bar = Make<TScrollBar>(*form);
  bar->SetParent(form.get());
  bar->SetKind(cl::sbVertical);
  bar->SetParams(500, 0, 1000);
  bar->SetPageSize(101);
  bar->SetSmallChange(16);
  bar->SetLargeChange(84);
  int changes = 0;
  bar->OnChange = [&](cl::TObject*) { ++changes; };
  struct Case {
    cl::TScrollCode code;
    int expected;
  } const cases[] = {
      {cl::scLineDown, 516}, {cl::scLineUp, 500}, {cl::scPageDown, 584}, {cl::scPageUp, 500},
      {cl::scBottom, 900},   {cl::scTop, 0},      {cl::scLineUp, 0},     {cl::scEndScroll, 0},
  };
  for (const Case& c : cases) {
    bar->ScrollNotify(c.code);
    EXPECT_EQ(bar->Position(), c.expected) << int(c.code);
  }
  EXPECT_EQ(changes, 6);

  // OnScroll sees the code and the proposed place and may change it.
  int seenTrack = -1;
  bar->OnScroll = [&](cl::TObject* sender, cl::TScrollCode code, int& pos) {
    if (code == cl::scTrack) {
      seenTrack = static_cast<TScrollBar*>(sender)->GetScrollInfo().TrackPos;
      pos -= pos % 10;
    }
  };
  bar->TrackTo(437);
  EXPECT_EQ(seenTrack, 437);
  EXPECT_EQ(bar->Position(), 430);
}

}  // namespace
