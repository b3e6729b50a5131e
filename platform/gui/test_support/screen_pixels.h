#pragma once

// Test support: what the screen shows of a control. The control's window
// paints the point now, children and all, as it does for the screen.

#include <vector>

#include "platform/gui/colors.h"
#include "platform/gui/control.h"

namespace cl::testing {

// The colour at (x, y) of control (its own coordinates), children and all,
// as 0x00BBGGRR. The control's form must be shown.
TColor ScreenPixel(TControl& control, int x, int y);

// The colours of a rectangle of control, row by row, the same way.
struct ScreenArea {
  TRect Box;
  std::vector<TColor> Pixels;
  // The colour at (x, y) of control's coordinates inside Box, -1 outside.
  TColor At(int x, int y) const;
};
ScreenArea ScreenPixels(TControl& control, const TRect& box);

}  // namespace cl::testing
