#pragma once

#include <cstdint>
#include <vector>

namespace brw {

// The tool-bar buttons' glyphs and the main window's icon: our own small
// drawings, each button with a normal and a disabled glyph.

enum class TToolGlyph {
  FileOpen, Reload, Save, Print, SelectAll, Copy, Find, Home, Back, Forward, Font, IncFont, DecFont,
};
inline constexpr int toolGlyphCount = 13;
inline constexpr int glyphSize = 16;
inline constexpr int iconSize = 32;

// Pixels row by row from the top, 0xAARRGGBB; alpha 0 is transparent.
struct TGlyphImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<std::uint32_t> Pixels;

  std::uint32_t At(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

// A 16 x 16 glyph; disabled: grey and embossed, as buttons show it.
TGlyphImage ToolGlyph(TToolGlyph glyph, bool disabled);

// Both glyphs side by side (normal left) as a 32 x 16, 24-bit Windows bitmap
// file, for a speed button with two glyphs: transparent pixels have the
// colour of the lower-left pixel, which is always transparent.
std::vector<std::uint8_t> ToolGlyphBitmapFile(TToolGlyph glyph);

// The main window's 32 x 32 icon, as an image and as a 24-bit Windows bitmap
// file whose lower-left pixel has the transparent colour.
TGlyphImage FormIcon();
std::vector<std::uint8_t> FormIconBitmapFile();

}  // namespace brw
