#pragma once

// Test support: what the screen shows of a control. The control's window
// paints the point now, children and all, as it does for the screen.

#include "platform/gui/colors.h"
#include "platform/gui/control.h"

namespace cl::testing {

// The colour at (x, y) of control (its own coordinates), children and all,
// as 0x00BBGGRR. The control's form must be shown.
TColor ScreenPixel(TControl& control, int x, int y);

}  // namespace cl::testing
