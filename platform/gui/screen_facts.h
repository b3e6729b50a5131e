#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/geometry.h"

namespace cl {

// What the desktop offers a program beyond TScreen: its monitors and fonts.
// Each call makes the Qt application object when there is none.

// Every monitor's rectangle in screen pixels, the primary one first.
std::vector<TRect> MonitorRects();

// The installed font faces (Screen.Fonts), sorted without case; names code
// page 1250 cannot hold are left out.
std::vector<std::string> ScreenFontNames();

// The pixel heights a face has on the display at 96 pixels per inch: empty
// for a scalable face, its sizes for a bitmap face; nullopt when no installed
// face answers to the name (Windows names go through their substitutes).
std::optional<std::vector<std::int32_t>> FontBitmapHeights(std::string_view faceName);

}  // namespace cl
