#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gui/canvas.h"
#include "platform/gui/geometry.h"

namespace cl {

constexpr uint32_t DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_WORDBREAK = 0x10, DT_CALCRECT = 0x400,
                   DT_NOPREFIX = 0x800;

// DrawText: the text in rect, in lines of the font's height; CR, LF and CR LF
// end a line. With DT_WORDBREAK lines break at blanks before they pass the
// right edge, and a word wider than the rectangle is broken where it meets
// the edge. Without DT_NOPREFIX "&&" shows "&" and a single "&" is left out.
// DT_CALCRECT draws nothing and answers rect with its right edge at the
// widest line and its bottom below the last; otherwise answers the same
// rectangle after drawing.
TRect DrawText(TCanvas& canvas, std::string_view text, TRect rect, uint32_t format);

}  // namespace cl
