#include "platform/gui/busy_cursor.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/gui/screen.h"

namespace {

TEST(BusyCursorTest, ShowsTheHourglassAndGivesBackTheCursorItFoundOnEveryExit) {
  cl::Screen().SetCursor(cl::crCross);
  try {
    const cl::TBusyCursor outer;
    EXPECT_EQ(cl::Screen().Cursor(), cl::crHourGlass);
    {
      cl::TBusyCursor inner;
      inner.End();
      // Ending early restores at once; the inner one found the hourglass.
      EXPECT_EQ(cl::Screen().Cursor(), cl::crHourGlass);
      cl::Screen().SetCursor(cl::crArrow);
    }
    // An ended cursor does not restore a second time on leaving its scope.
    EXPECT_EQ(cl::Screen().Cursor(), cl::crArrow);
    throw std::runtime_error("work failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(cl::Screen().Cursor(), cl::crCross);
  cl::Screen().SetCursor(cl::crDefault);
}

}  // namespace
