#include "browser/glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace brw {

namespace {

using Drawing = std::array<std::string_view, glyphSize>;

constexpr std::uint32_t transparent = 0;
// The bitmap file's colour for transparent pixels: used by no drawing.
constexpr std::uint32_t keyColour = 0xFFFF00FF;

std::uint32_t ColourOf(char ch) {
  switch (ch) {
    case '.': return transparent;
    case 'k': return 0xFF000000;  // black
    case 'w': return 0xFFFFFFFF;  // white
    case 'l': return 0xFFC0C0C0;  // light grey
    case 'g': return 0xFF808080;  // grey
    case 'y': return 0xFFFFFF00;  // yellow
    case 'd': return 0xFF808000;  // dark yellow
    case 'n': return 0xFF804000;  // brown
    case 'b': return 0xFF000080;  // navy
    case 'B': return 0xFF0000FF;  // blue
    case 'c': return 0xFFA0D0F0;  // glass
    case 'r': return 0xFFC00000;  // red
    case 'G': return 0xFF008000;  // green
    default: throw std::logic_error("unknown colour in a glyph drawing");
  }
}

constexpr Drawing fileOpen = {
    "................",
    "................",
    "..........kkk...",
    ".........k...k.k",
    "..............kk",
    ".kkk.........kkk",
    "kyyykkkkkkk.....",
    "kyyyyyyyyyk.....",
    "kyyykkkkkkkkkk..",
    "kyykdddddddddk..",
    "kykdddddddddk...",
    "kkdddddddddk....",
    "kkkkkkkkkkk.....",
    "................",
    "................",
    "................",
};
constexpr Drawing reload = {
    "................",
    "................",
    ".......GG.GGGGG.",
    ".....GGGGGGGGGG.",
    "...GGGGGGG..GGG.",
    "...GGG.......GG.",
    "..GGG.........G.",
    "..GG............",
    "..GG............",
    "..GG............",
    "..GGG.......GG..",
    "...GGG.....GGG..",
    "...GGGGGGGGGGG..",
    ".....GGGGGGGG...",
    ".......GGG......",
    "................",
};
constexpr Drawing save = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwggggggwkbk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwggggggwkbk.",
    ".kbbkkkkkkkkbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbkkkkkkkkbbk.",
    ".kbbkllllkklbbk.",
    ".kbbkllllkklbbk.",
    ".kbbkllllkklbbk.",
    "..kkkkkkkkkkkkk.",
    "................",
    "................",
};
constexpr Drawing print = {
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwggggwk....",
    "....kwwwwwwk....",
    "..kkkkkkkkkkkk..",
    ".kllllllllllllk.",
    ".kllllllllllGlk.",
    ".kllllllllllllk.",
    ".kkkkkkkkkkkkkk.",
    ".kggkwwwwwwkggk.",
    "..kkkwggggwkkk..",
    "....kwwwwwwk....",
    "....kkkkkkkk....",
    "................",
    "................",
};
constexpr Drawing selectAll = {
    "................",
    "..kkkkkkkkkk....",
    "..kwwwwwwwwkk...",
    "..kwbbbbbbbwkk..",
    "..kwwwwwwwwwwk..",
    "..kwbbbbbbbbwk..",
    "..kwwwwwwwwwwk..",
    "..kwbbbbbbbbwk..",
    "..kwwwwwwwwwwk..",
    "..kwbbbbbbbbwk..",
    "..kwwwwwwwwwwk..",
    "..kwbbbbbwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
    "................",
};
constexpr Drawing copy = {
    "................",
    "kkkkkkk.........",
    "kwwwwwkk........",
    "kwgggwkwk.......",
    "kwwwwwkkkk......",
    "kwggkkkkkkk.....",
    "kwwwkwwwwwkk....",
    "kwggkwgggwkwk...",
    "kwwwkwwwwwkkkk..",
    "kwggkwgggggwwk..",
    "kkkkkwwwwwwwwk..",
    "....kwgggggggk..",
    "....kwwwwwwwwk..",
    "....kwgggggggk..",
    "....kwwwwwwwwk..",
    "....kkkkkkkkkk..",
};
constexpr Drawing find = {
    "................",
    "................",
    "....kkkkk.......",
    "...kkwcckk......",
    "..kkwcccckk.....",
    "..kwccccccck....",
    "..kccccccccck...",
    "..kccccccccck...",
    "..kkccccccckk...",
    "...kkccccckk....",
    "....kkkkkknn....",
    "..........nnn...",
    "...........nnn..",
    "............nnn.",
    ".............nn.",
    "................",
};
constexpr Drawing home = {
    "................",
    ".......kk.......",
    "......krrk.kk...",
    ".....krrrrkkk...",
    "....krrrrrrkk...",
    "...krrrrrrrrk...",
    "..krrrrrrrrrrk..",
    ".kkkkkkkkkkkkkk.",
    "..kwwwwwwwwwwk..",
    "..kwkkkwwkkkwk..",
    "..kwkBkwwknkwk..",
    "..kwkkkwwknkwk..",
    "..kwwwwwwknkwk..",
    "..kwwwwwwknkwk..",
    "..kkkkkkkkkkkk..",
    "................",
};
constexpr Drawing back = {
    "................",
    "................",
    ".......k........",
    "......kk........",
    ".....kBk........",
    "....kBBk........",
    "...kBBBkkkkkkk..",
    "..kBBBBBBBBBBk..",
    "..kBBBBBBBBBBk..",
    "...kBBBkkkkkkk..",
    "....kBBk........",
    ".....kBk........",
    "......kk........",
    ".......k........",
    "................",
    "................",
};
constexpr Drawing font = {
    "................",
    "......kk........",
    "......kk........",
    ".....kkkk.......",
    ".....k.kk.......",
    "....kk..kk......",
    "....k...kk......",
    "...kkkkkkkk.....",
    "...k.....kk.....",
    "..kk......kk....",
    ".kkkk....kkkk...",
    "................",
    ".rrrrrGGGGGBBBBB",
    ".rrrrrGGGGGBBBBB",
    "................",
    "................",
};
constexpr Drawing incFont = {
    "................",
    "......kk.....G..",
    "......kk....GGG.",
    ".....kkkk..GGGGG",
    ".....k.kk.......",
    "....kk..kk......",
    "....k...kk......",
    "...kkkkkkkk.....",
    "...k.....kk.....",
    "..kk......kk....",
    ".kkkk....kkkk...",
    "................",
    "................",
    "................",
    "................",
    "................",
};
constexpr Drawing decFont = {
    "................",
    "................",
    "................",
    "................",
    "................",
    "..........rrrrr.",
    "....kk.....rrr..",
    "....kk......r...",
    "...k.kk.........",
    "...kkkkk........",
    "..k....kk.......",
    ".kkk..kkkk......",
    "................",
    "................",
    "................",
    "................",
};

TGlyphImage FromDrawing(const Drawing& drawing, bool mirrored) {
  TGlyphImage image{glyphSize, glyphSize, {}};
  for (const std::string_view row : drawing) {
    if (row.size() != glyphSize) throw std::logic_error("a glyph drawing row is not 16 wide");
    for (int x = 0; x < glyphSize; ++x) image.Pixels.push_back(ColourOf(row[mirrored ? glyphSize - 1 - x : x]));
  }
  return image;
}

bool IsLight(std::uint32_t pixel) {
  const auto r = pixel >> 16 & 0xFF;
  const auto g = pixel >> 8 & 0xFF;
  const auto b = pixel & 0xFF;
  return r * 30 + g * 59 + b * 11 >= 180 * 100;
}

// Light parts vanish; the rest is drawn in the shadow colour over a
// highlight one pixel down and right, so the glyph looks pressed into the
// button.
TGlyphImage Disabled(const TGlyphImage& normal) {
  constexpr std::uint32_t shadow = 0xFF808080;
  constexpr std::uint32_t highlight = 0xFFFFFFFF;
  TGlyphImage image{normal.Width, normal.Height, std::vector<std::uint32_t>(normal.Pixels.size(), transparent)};
  const auto dark = [&normal](int x, int y) {
    return x >= 0 && y >= 0 && x < normal.Width && y < normal.Height && normal.At(x, y) != transparent &&
           !IsLight(normal.At(x, y));
  };
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x) {
      auto& pixel = image.Pixels[static_cast<std::size_t>(y * image.Width + x)];
      if (dark(x, y))
        pixel = shadow;
      else if (dark(x - 1, y - 1))
        pixel = highlight;
    }
  return image;
}

TGlyphImage Normal(TToolGlyph glyph) {
  switch (glyph) {
    case TToolGlyph::FileOpen: return FromDrawing(fileOpen, false);
    case TToolGlyph::Reload: return FromDrawing(reload, false);
    case TToolGlyph::Save: return FromDrawing(save, false);
    case TToolGlyph::Print: return FromDrawing(print, false);
    case TToolGlyph::SelectAll: return FromDrawing(selectAll, false);
    case TToolGlyph::Copy: return FromDrawing(copy, false);
    case TToolGlyph::Find: return FromDrawing(find, false);
    case TToolGlyph::Home: return FromDrawing(home, false);
    case TToolGlyph::Back: return FromDrawing(back, false);
    case TToolGlyph::Forward: return FromDrawing(back, true);
    case TToolGlyph::Font: return FromDrawing(font, false);
    case TToolGlyph::IncFont: return FromDrawing(incFont, false);
    case TToolGlyph::DecFont: return FromDrawing(decFont, false);
  }
  throw std::logic_error("unknown tool glyph");
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The images side by side as a 24-bit Windows bitmap file; transparent
// pixels get the key colour, which the lower-left pixel always has.
std::vector<std::uint8_t> BitmapFile(std::initializer_list<TGlyphImage> parts) {
  const int height = parts.begin()->Height;
  int width = 0;
  for (const TGlyphImage& part : parts) width += part.Width;
  const std::uint32_t rowSize = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  constexpr std::uint32_t dataOffset = 14 + 40;
  std::vector<std::uint8_t> file = {'B', 'M'};
  PutLittleEndian(file, dataOffset + rowSize * static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, dataOffset, 4);
  PutLittleEndian(file, 40, 4);
  PutLittleEndian(file, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(file, static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(file, 1, 2);
  PutLittleEndian(file, 24, 2);
  for (int i = 0; i < 6; ++i) PutLittleEndian(file, 0, 4);
  for (int y = height - 1; y >= 0; --y) {  // bottom-up
    std::uint32_t written = 0;
    for (const TGlyphImage& part : parts)
      for (int x = 0; x < part.Width; ++x) {
        std::uint32_t pixel = part.At(x, y);
        if (pixel == transparent) pixel = keyColour;
        PutLittleEndian(file, pixel & 0xFFFFFF, 3);  // blue, green, red
        written += 3;
      }
    for (; written < rowSize; ++written) file.push_back(0);
  }
  return file;
}

}  // namespace

TGlyphImage ToolGlyph(TToolGlyph glyph, bool disabled) {
  TGlyphImage normal = Normal(glyph);
  return disabled ? Disabled(normal) : normal;
}

std::vector<std::uint8_t> ToolGlyphBitmapFile(TToolGlyph glyph) {
  return BitmapFile({ToolGlyph(glyph, false), ToolGlyph(glyph, true)});
}

std::vector<std::uint8_t> FormIconBitmapFile() { return BitmapFile({FormIcon()}); }

TGlyphImage FormIcon() {
  // A mast sending waves on a blue tile, as on the sample documents' logo.
  TGlyphImage icon{iconSize, iconSize, std::vector<std::uint32_t>(iconSize * iconSize, transparent)};
  for (int y = 0; y < iconSize; ++y)
    for (int x = 0; x < iconSize; ++x) {
      const double px = x + 0.5;
      const double py = y + 0.5;
      // A tile with rounded corners of radius 5.
      const double cx = std::clamp(px, 6.0, 26.0);
      const double cy = std::clamp(py, 6.0, 26.0);
      if (std::hypot(px - cx, py - cy) > 5.0 + 1.0) continue;
      const auto shade = static_cast<std::uint32_t>(150 - 90 * y / iconSize);
      std::uint32_t pixel = 0xFF000000 | (shade / 6) << 16 | (shade / 2) << 8 | shade;
      const double dx = px - 16.0;
      const double dy = py - 12.0;
      const double distance = std::hypot(dx, dy);
      const double angle = std::atan2(-dy, std::abs(dx)) * 180.0 / 3.14159265358979;
      for (const double radius : {6.0, 10.0, 14.0})
        if (std::abs(distance - radius) <= 1.1 && angle > -20.0 && angle < 45.0) pixel = 0xFFFAC428;
      if (distance <= 2.6) pixel = 0xFFFAC428;
      if (std::abs(dx) <= 1.0 && py > 13.0 && py < 28.0) pixel = 0xFFFFFFFF;
      if (py > 26.0 && py < 28.0 && std::abs(dx) <= 5.0) pixel = 0xFFFFFFFF;
      icon.Pixels[static_cast<std::size_t>(y * iconSize + x)] = pixel;
    }
  return icon;
}

}  // namespace brw
