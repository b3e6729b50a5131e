#pragma once

// Test support: what the screen shows of a control, read back from its
// window after the pending paints (the offscreen platform keeps each window's
// pixels as a real screen would).

#include "platform/gui/colors.h"
#include "platform/gui/control.h"

namespace cl::testing {

// The colour at (x, y) of control (its own coordinates), children and all,
// as 0x00BBGGRR. The control's form must be shown.
TColor ScreenPixel(TControl& control, int x, int y);

}  // namespace cl::testing
