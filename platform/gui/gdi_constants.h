#pragma once

#include <cstdint>

namespace win {

// Raster operations (ternary codes as Windows numbers them).
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t SRCERASE = 0x00440328;     // S and not D
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t NOTSRCERASE = 0x001100A6;  // not (S or D)
constexpr uint32_t MERGEPAINT = 0x00BB0226;   // not S or D
constexpr uint32_t DSna = 0x00220326;         // D and not S: clears where a mask is set
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

// Stretch modes.
constexpr int BLACKONWHITE = 1;  // shrinking ANDs the dropped pixels: black wins
constexpr int WHITEONBLACK = 2;  // shrinking ORs them: white wins
constexpr int COLORONCOLOR = 3;  // dropped pixels are deleted
constexpr int HALFTONE = 4;      // treated as COLORONCOLOR

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment.
constexpr uint32_t TA_LEFT = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t TA_TOP = 0;
constexpr uint32_t TA_BOTTOM = 8;
constexpr uint32_t TA_BASELINE = 24;
constexpr uint32_t TA_UPDATECP = 1;

// ExtTextOut options.
constexpr uint32_t ETO_OPAQUE = 2;
constexpr uint32_t ETO_CLIPPED = 4;

// Region combination and polygon fill modes.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_ANISOTROPIC = 8;

// DIB colour usage.
constexpr uint32_t DIB_RGB_COLORS = 0;
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t CBM_INIT = 4;

}  // namespace win
