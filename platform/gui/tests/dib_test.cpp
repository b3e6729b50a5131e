#include <gtest/gtest.h>

#include <vector>

#include "platform/core/exception.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/dib.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/screen.h"
#include "platform/gui/test_support/screen_depth.h"

namespace {

// BITMAPINFO storage: the header and a 256-entry table.
struct Info {
  win::BITMAPINFOHEADER header;
  win::RGBQUAD table[256];
};

TEST(Dib, RowsArePaddedTo32BitsAndStoredBottomUp) {
  EXPECT_EQ(win::DibRowBytes(24 * 3), 12);
  EXPECT_EQ(win::DibRowBytes(1), 4);
  EXPECT_EQ(win::DibRowBytes(32), 4);
  EXPECT_EQ(win::DibRowBytes(33), 8);

  cl::TBitmap bitmap;
  bitmap.SetSize(3, 2);
  bitmap.Canvas().FillRect(cl::Rect(0, 0, 3, 1), cl::RGB(1, 2, 3));     // top row
  bitmap.Canvas().FillRect(cl::Rect(0, 1, 3, 2), cl::RGB(10, 20, 30));  // bottom row
  Info info{};
  info.header.biWidth = 3;
  info.header.biHeight = 2;
  info.header.biBitCount = 24;
  std::vector<uint8_t> bits(24, 0xEE);
  EXPECT_EQ(win::GetDIBits(nullptr, bitmap.Handle(), 0, 2, bits.data(), &info.header, win::DIB_RGB_COLORS), 2);
  EXPECT_EQ(info.header.biSizeImage, 24u);
  // The first stored row is the bottom one, blue first; padding is zero.
  EXPECT_EQ(bits[0], 30);
  EXPECT_EQ(bits[1], 20);
  EXPECT_EQ(bits[2], 10);
  EXPECT_EQ(bits[9], 0);
  EXPECT_EQ(bits[12], 3);
  EXPECT_EQ(bits[14], 1);

  win::UniqueBitmap back(win::CreateDIBitmap(nullptr, &info.header, win::CBM_INIT, bits.data(), &info.header,
                                             win::DIB_RGB_COLORS));
  ASSERT_NE(back, nullptr);
  cl::TBitmap copy;
  copy.SetHandle(back.release());
  EXPECT_EQ(copy.Canvas().GetPixel(2, 0), cl::RGB(1, 2, 3));
  EXPECT_EQ(copy.Canvas().GetPixel(0, 1), cl::RGB(10, 20, 30));
}

TEST(Dib, MonochromeRowsUseTheirTwoColourTable) {
  cl::TBitmap mono;
  mono.SetSize(9, 1);
  mono.SetMonochrome(true);
  mono.Canvas().FillRect(cl::Rect(0, 0, 9, 1), cl::clBlack);
  mono.Canvas().SetPixel(0, 0, cl::clWhite);
  mono.Canvas().SetPixel(8, 0, cl::clWhite);
  Info info{};
  info.header.biWidth = 9;
  info.header.biHeight = 1;
  info.header.biBitCount = 1;
  std::vector<uint8_t> bits(4);
  ASSERT_EQ(win::GetDIBits(nullptr, mono.Handle(), 0, 1, bits.data(), &info.header, win::DIB_RGB_COLORS), 1);
  EXPECT_EQ(bits[0], 0x80);
  EXPECT_EQ(bits[1], 0x80);
  EXPECT_EQ(info.table[1].rgbRed, 255);
  EXPECT_EQ(info.table[0].rgbRed, 0);
}

TEST(Dib, EightBitScreenMapsDeviceBitmapsToTheSelectedPalette) {
  win::UniqueBitmap mapped;
  {
    const cl::testing::ScopedScreenDepth eight(8);
    const std::vector<win::PALETTEENTRY> entries = {{0, 0, 0, 0}, {200, 0, 0, 0}, {0, 0, 200, 0}};
    win::UniquePalette palette(win::CreatePalette(0x300, entries));
    auto dc = cl::TCanvas::CreateCompatible();
    win::UniqueBitmap target(win::CreateCompatibleBitmap(1, 1));
    dc->SelectBitmap(target.get());
    dc->SelectPalette(palette.get(), false);
    EXPECT_EQ(dc->RealizePalette(), 3);
    Info info{};
    info.header.biWidth = 2;
    info.header.biHeight = 1;
    info.header.biBitCount = 24;
    const uint8_t bits[8] = {0, 0, 250, 240, 10, 10, 0, 0};  // red-ish, blue-ish (BGR)
    mapped.reset(win::CreateDIBitmap(dc.get(), &info.header, win::CBM_INIT, bits, &info.header, win::DIB_RGB_COLORS));
  }
  ASSERT_NE(mapped, nullptr);
  cl::TBitmap check;
  check.SetHandle(mapped.release());
  EXPECT_EQ(check.Canvas().GetPixel(0, 0), cl::RGB(200, 0, 0));
  EXPECT_EQ(check.Canvas().GetPixel(1, 0), cl::RGB(0, 0, 200));
}

TEST(Dib, StretchDibitsDrawsTheRowsUpright) {
  Info info{};
  info.header.biWidth = 1;
  info.header.biHeight = 2;
  info.header.biBitCount = 24;
  const uint8_t bits[8] = {255, 0, 0, 0, 0, 0, 255, 0};  // bottom blue, top red
  cl::TBitmap dest;
  dest.SetSize(2, 4);
  dest.Canvas().SetStretchBltMode(win::COLORONCOLOR);
  EXPECT_EQ(win::StretchDIBits(dest.Canvas(), 0, 0, 2, 4, 0, 0, 1, 2, bits, &info.header, win::DIB_RGB_COLORS,
                               win::SRCCOPY),
            2);
  EXPECT_EQ(dest.Canvas().GetPixel(1, 1), cl::clRed);
  EXPECT_EQ(dest.Canvas().GetPixel(0, 3), cl::clBlue);
}

TEST(Bitmaps, ResizingKeepsPixelsAndFillsNewOnesWhite) {
  cl::TBitmap bitmap;
  bitmap.SetSize(1, 1);
  bitmap.Canvas().SetPixel(0, 0, cl::clRed);
  bitmap.SetSize(2, 2);
  EXPECT_EQ(bitmap.Canvas().GetPixel(0, 0), cl::clRed);
  EXPECT_EQ(bitmap.Canvas().GetPixel(1, 1), cl::clWhite);
}

TEST(Bitmaps, TakenHandlesAreFreedWithTheBitmap) {
  cl::TBitmap bitmap;
  bitmap.SetHandle(win::CreateCompatibleBitmap(4, 3));
  bitmap.SetPalette(win::CreatePalette(0x300, std::vector<win::PALETTEENTRY>(2)));
  bitmap.SetHandle(win::CreateBitmap(5, 5, 1));  // the first handle goes now
  EXPECT_TRUE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.Width(), 5);
  cl::TBitmap copy;
  copy.Assign(bitmap);
  EXPECT_EQ(copy.Width(), 5);
  EXPECT_NE(copy.Handle(), bitmap.Handle());
  EXPECT_EQ(win::PaletteEntryCount(copy.Palette()), 2);
}

TEST(Bitmaps, LoadFromMemoryReadsAWindowsBitmapFileAndRefusesGarbage) {
  // A 2x1 24-bit BMP: red, white.
  const uint8_t bmp[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0,
                         24, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                         0, 0, 255, 255, 255, 255, 0, 0};
  cl::TBitmap bitmap;
  bitmap.LoadFromMemory(bmp, sizeof bmp);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Canvas().GetPixel(0, 0), cl::clRed);
  EXPECT_EQ(bitmap.Canvas().GetPixel(1, 0), cl::clWhite);
  const uint8_t garbage[] = {'B', 'M', 1, 2, 3};
  EXPECT_THROW(bitmap.LoadFromMemory(garbage, sizeof garbage), cl::Exception);
}

TEST(Bitmaps, LoadFromMemoryRefusesAHeaderClaimingMoreThanTheFileOrTheBudget) {
  struct Case {
    int32_t width, height;
    uint16_t bits;
    uint32_t compression;
  };
  // Headers of 62 bytes with no rows after them.
  const Case cases[] = {
      {4000, 4000, 8, 0},    // 16 megapixels the file cannot hold
      {4000, -4000, 24, 0},  // the same, rows top-down
      {131075, 254, 8, 1},   // run-length rows, but over the budget
      {2, 1, 24, 0},         // one row short
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bmp = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0};
    auto le = [&](uint32_t v, int bytes) {
      for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    le(static_cast<uint32_t>(c.width), 4);
    le(static_cast<uint32_t>(c.height), 4);
    le(1, 2);
    le(c.bits, 2);
    le(c.compression, 4);
    bmp.resize(62);
    cl::TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromMemory(bmp.data(), bmp.size()), cl::Exception) << c.width << " x " << c.height;
    EXPECT_TRUE(bitmap.Empty());
  }
}

}  // namespace
