#pragma once

#include <cstdint>

namespace cl {

// The class library's colour: 0x00BBGGRR; 0x800000nn names system colour nn;
// 0x02000000 marks a palette-relative value (ignored when resolved).
using TColor = int32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (b << 16); }
constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c); }
constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>(c >> 16); }

constexpr TColor PaletteRelative = 0x02000000;
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr bool IsSystemColor(TColor c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u; }

// Resolves a system colour through the application palette; drops the flags.
TColor ColorToRGB(TColor color);

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                 clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3),
                 clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6),
                 clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                 clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                 clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                 clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                 clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16),
                 clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                 clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                 cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22),
                 clInfoText = SystemColor(23), clInfoBk = SystemColor(24);

}  // namespace cl

namespace win {

// The colour of system colour index (COLOR_WINDOW = 5, COLOR_BTNFACE = 15, ...)
// from the application palette, or Windows' defaults when there is no GUI.
cl::TColor GetSysColor(int index);

}  // namespace win
