#include "html/images/image_resources.h"

#include <array>
#include <string_view>

#include "platform/gui/canvas.h"

namespace html {

namespace {

using Art = std::array<std::string_view, 16>;

// A framed page with a landscape on it.
constexpr Art DefaultArt = {
    "################", "#wwwwwwwwwwwwww#", "#wccccccccccccw#", "#wccccccyyccccw#",
    "#wcccccyyyycccw#", "#wccccccyyccccw#", "#wccccccccccccw#", "#wccgcccccccccw#",
    "#wcgggccccgcccw#", "#wgggggccgggccw#", "#wggggggggggggw#", "#wggggggggggggw#",
    "#wggggggggggggw#", "#wwwwwwwwwwwwww#", "################", "................"};

// A page with a red cross; '.' is transparent.
constexpr Art ErrorArt = {
    "..##########....", "..#wwwwwwww##...", "..#wwwwwwww#w#..", "..#wwwwwwww####.",
    "..#wrrwwwwrrww#.", "..#wwrrwwrrwww#.", "..#wwwrrrrwwww#.", "..#wwwwrrwwwww#.",
    "..#wwwrrrrwwww#.", "..#wwrrwwrrwww#.", "..#wrrwwwwrrww#.", "..#wwwwwwwwwww#.",
    "..#wwwwwwwwwww#.", "..#wwwwwwwwwww#.", "..#############.", "................"};

cl::TColor ColourOf(char c) {
  switch (c) {
    case '#': return cl::clBlack;
    case 'c': return cl::RGB(0xA6, 0xCA, 0xF0);
    case 'y': return cl::clYellow;
    case 'g': return cl::clGreen;
    case 'r': return cl::clRed;
    case 'w': return cl::clWhite;
    default: return cl::clSilver;
  }
}

std::unique_ptr<cl::TBitmap> Draw(const Art& art) {
  auto bitmap = std::make_unique<cl::TBitmap>();
  bitmap->SetSize(16, 16);
  cl::TCanvas& canvas = bitmap->Canvas();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) canvas.SetPixel(x, y, ColourOf(art[y][x]));
  return bitmap;
}

// '#' black, 'o' white, anything else transparent; 32x32 with rows of 4 bytes.
std::unique_ptr<cl::TCursorShape> Cursor(std::initializer_list<std::string_view> rows, int hotX, int hotY) {
  auto cursor = std::make_unique<cl::TCursorShape>();
  cursor->Width = 32;
  cursor->Height = 32;
  cursor->HotX = hotX;
  cursor->HotY = hotY;
  cursor->AndPlane.assign(32 * 4, 0xFF);
  cursor->XorPlane.assign(32 * 4, 0x00);
  int y = 0;
  for (const std::string_view row : rows) {
    for (int x = 0; x < static_cast<int>(row.size()) && x < 32; ++x) {
      const std::size_t byte = static_cast<std::size_t>(y * 4 + x / 8);
      const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
      if (row[x] == '#' || row[x] == 'o') cursor->AndPlane[byte] &= static_cast<std::uint8_t>(~bit);
      if (row[x] == 'o') cursor->XorPlane[byte] |= bit;
    }
    ++y;
  }
  return cursor;
}

}  // namespace

std::unique_ptr<cl::TBitmap> MakeDefaultBitmap() { return Draw(DefaultArt); }

std::unique_ptr<cl::TBitmap> MakeErrorBitmap() {
  auto bitmap = Draw(ErrorArt);
  // Transparent pixels are black, so that the masked drawing shows the page.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (ErrorArt[y][x] == '.') bitmap->Canvas().SetPixel(x, y, cl::clBlack);
  return bitmap;
}

std::unique_ptr<cl::TBitmap> MakeErrorBitmapMask() {
  auto mask = std::make_unique<cl::TBitmap>();
  mask->SetSize(16, 16);
  mask->SetMonochrome(true);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) mask->Canvas().SetPixel(x, y, ErrorArt[y][x] == '.' ? cl::clWhite : cl::clBlack);
  return mask;
}

std::unique_ptr<cl::TCursorShape> MakeLinkCursor() {
  return Cursor({"     ##",
                 "    #oo#",
                 "    #oo#",
                 "    #oo#",
                 "    #oo###",
                 "    #oo#oo###",
                 "    #oo#oo#oo##",
                 " ## #oo#oo#oo#o#",
                 "#oo##oooooooo#o#",
                 "#ooo#oooooooooo#",
                 " #oo#oooooooooo#",
                 "  #oooooooooooo#",
                 "  #ooooooooooo#",
                 "   #oooooooooo#",
                 "   #ooooooooo#",
                 "    #oooooooo#",
                 "    #oooooooo#",
                 "    ##########"},
                5, 0);
}

std::unique_ptr<cl::TCursorShape> MakeTextCursor() {
  return Cursor({"###.###", "...#...", "...#...", "...#...", "...#...", "...#...", "...#...", "...#...",
                 "...#...", "...#...", "...#...", "...#...", "...#...", "...#...", "...#...", "###.###"},
                3, 8);
}

}  // namespace html
