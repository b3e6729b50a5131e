#pragma once

// Test support for the tests that run on an X server: where the server shows
// a form, asked of the server itself rather than of Qt, so that Qt's own
// scaling of coordinates shows.

#include <optional>

#include "platform/gui/control.h"
#include "platform/gui/geometry.h"

namespace cl::testing {

// Whether Qt runs on an X server (the xcb platform).
bool OnAnXServer();
// The primary screen's device-pixel ratio: how many of the screen's pixels
// Qt gives one of its own coordinates.
double DevicePixelRatio();

// The top-left corner of control's window on the X server's screen, in the
// server's pixels; nullopt when Qt does not run on X or the window is not
// shown.
std::optional<TPoint> XWindowPosition(TControl& control);

}  // namespace cl::testing
