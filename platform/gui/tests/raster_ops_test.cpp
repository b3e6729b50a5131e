#include <gtest/gtest.h>

#include <memory>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"

namespace {

using cl::TBitmap;
using cl::TColor;

// A 2x2 colour bitmap: pixels row by row.
std::unique_ptr<TBitmap> Make2x2(TColor a, TColor b, TColor c, TColor d) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(2, 2);
  auto& canvas = bitmap->Canvas();
  canvas.SetPixel(0, 0, a);
  canvas.SetPixel(1, 0, b);
  canvas.SetPixel(0, 1, c);
  canvas.SetPixel(1, 1, d);
  return bitmap;
}

TEST(RasterOps, TruthTableOnTwoByTwoImages) {
  constexpr TColor K = 0x000000, W = 0xFFFFFF;
  // Destination pixels D = 0 0 1 1, source S = 0 1 0 1 (0 black, 1 white).
  struct Case {
    uint32_t rop;
    TColor expected[4];
  };
  const Case cases[] = {
      {win::SRCCOPY, {K, W, K, W}},    {win::SRCAND, {K, K, K, W}},      {win::SRCPAINT, {K, W, W, W}},
      {win::SRCINVERT, {K, W, W, K}},  {win::SRCERASE, {K, W, K, K}},    {win::NOTSRCCOPY, {W, K, W, K}},
      {win::NOTSRCERASE, {W, K, K, K}}, {win::MERGEPAINT, {W, K, W, W}}, {win::DSna, {K, K, W, K}},
      {win::DSTINVERT, {W, W, K, K}},  {win::BLACKNESS, {K, K, K, K}},   {win::WHITENESS, {W, W, W, W}},
  };
  for (const auto& c : cases) {
    auto dest = Make2x2(K, K, W, W);
    auto src = Make2x2(K, W, K, W);
    EXPECT_TRUE(dest->Canvas().BitBlt(0, 0, 2, 2, src->Canvas(), 0, 0, c.rop)) << std::hex << c.rop;
    const TColor got[4] = {dest->Canvas().GetPixel(0, 0), dest->Canvas().GetPixel(1, 0),
                           dest->Canvas().GetPixel(0, 1), dest->Canvas().GetPixel(1, 1)};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(got[i], c.expected[i]) << std::hex << "rop " << c.rop << " pixel " << i;
  }
}

TEST(RasterOps, OperationsWorkPerBitOnColours) {
  auto dest = Make2x2(0x123456, 0x0F0F0F, 0, 0);
  auto src = Make2x2(0x00FF00, 0xF0F0F0, 0, 0);
  dest->Canvas().BitBlt(0, 0, 2, 1, src->Canvas(), 0, 0, win::SRCINVERT);
  EXPECT_EQ(dest->Canvas().GetPixel(0, 0), 0x12CB56);
  EXPECT_EQ(dest->Canvas().GetPixel(1, 0), 0xFFFFFF);
}

TEST(RasterOps, MonochromeSourceTakesTheDestinationTextAndBackgroundColours) {
  TBitmap mono;
  mono.SetSize(2, 1);
  mono.SetMonochrome(true);
  mono.Canvas().SetPixel(0, 0, cl::clBlack);
  mono.Canvas().SetPixel(1, 0, cl::clWhite);
  auto dest = Make2x2(0, 0, 0, 0);
  dest->Canvas().SetTextColor(cl::clRed);
  dest->Canvas().SetBkColor(cl::clBlue);
  dest->Canvas().BitBlt(0, 0, 2, 1, mono.Canvas(), 0, 0, win::SRCCOPY);
  EXPECT_EQ(dest->Canvas().GetPixel(0, 0), cl::clRed);
  EXPECT_EQ(dest->Canvas().GetPixel(1, 0), cl::clBlue);
}

TEST(RasterOps, ColourToMonochromeSetsOneWhereTheSourceBackgroundColourIs) {
  auto src = Make2x2(0x336699, 0x000000, 0xFFFFFF, 0x336699);
  src->Canvas().SetBkColor(0x336699 | cl::PaletteRelative);
  TBitmap mask;
  mask.SetSize(2, 2);
  mask.SetMonochrome(true);
  mask.Canvas().BitBlt(0, 0, 2, 2, src->Canvas(), 0, 0, win::SRCCOPY);
  EXPECT_EQ(mask.Canvas().GetPixel(0, 0), cl::clWhite);
  EXPECT_EQ(mask.Canvas().GetPixel(1, 0), cl::clBlack);
  EXPECT_EQ(mask.Canvas().GetPixel(0, 1), cl::clBlack);
  EXPECT_EQ(mask.Canvas().GetPixel(1, 1), cl::clWhite);
}

TEST(RasterOps, StretchModesDecideWhichShrunkPixelsSurvive) {
  // A 2x2 source with one black pixel, shrunk to 1x1.
  struct Case {
    int mode;
    TColor expected;
  };
  const Case cases[] = {{win::BLACKONWHITE, cl::clBlack}, {win::WHITEONBLACK, cl::clWhite},
                        {win::COLORONCOLOR, cl::clWhite}};
  for (const auto& c : cases) {
    auto src = Make2x2(cl::clWhite, cl::clWhite, cl::clWhite, cl::clBlack);
    TBitmap dest;
    dest.SetSize(1, 1);
    dest.Canvas().SetStretchBltMode(c.mode);
    dest.Canvas().StretchBlt(0, 0, 1, 1, src->Canvas(), 0, 0, 2, 2, win::SRCCOPY);
    EXPECT_EQ(dest.Canvas().GetPixel(0, 0), c.expected) << c.mode;
  }
}

TEST(RasterOps, StretchingUpRepeatsEachPixel) {
  auto src = Make2x2(cl::clRed, cl::clLime, cl::clBlue, cl::clWhite);
  TBitmap dest;
  dest.SetSize(4, 4);
  dest.Canvas().SetStretchBltMode(win::COLORONCOLOR);
  dest.Canvas().StretchBlt(0, 0, 4, 4, src->Canvas(), 0, 0, 2, 2, win::SRCCOPY);
  EXPECT_EQ(dest.Canvas().GetPixel(1, 1), cl::clRed);
  EXPECT_EQ(dest.Canvas().GetPixel(2, 1), cl::clLime);
  EXPECT_EQ(dest.Canvas().GetPixel(1, 2), cl::clBlue);
  EXPECT_EQ(dest.Canvas().GetPixel(3, 3), cl::clWhite);
}

TEST(RasterOps, AStretchFarLargerThanTheDeviceMakesOnlyThePixelsThatShow) {
  // 100,000 x 100,000 would be 40 GB made whole; the 10 x 10 device shows
  // the middle, where the four source pixels meet.
  for (const int mode : {win::COLORONCOLOR, win::BLACKONWHITE}) {
    auto src = Make2x2(cl::clRed, cl::clLime, cl::clBlue, cl::clWhite);
    TBitmap dest;
    dest.SetSize(10, 10);
    dest.Canvas().SetStretchBltMode(mode);
    EXPECT_TRUE(dest.Canvas().StretchBlt(-49995, -49995, 100000, 100000, src->Canvas(), 0, 0, 2, 2, win::SRCCOPY));
    EXPECT_EQ(dest.Canvas().GetPixel(4, 4), cl::clRed) << mode;
    EXPECT_EQ(dest.Canvas().GetPixel(5, 4), cl::clLime) << mode;
    EXPECT_EQ(dest.Canvas().GetPixel(4, 5), cl::clBlue) << mode;
    EXPECT_EQ(dest.Canvas().GetPixel(9, 9), cl::clWhite) << mode;
  }
}

TEST(RasterOps, BlitsStayInsideTheClipRegion) {
  auto dest = Make2x2(0, 0, 0, 0);
  auto src = Make2x2(cl::clWhite, cl::clWhite, cl::clWhite, cl::clWhite);
  dest->Canvas().IntersectClipRect(1, 0, 2, 2);
  dest->Canvas().BitBlt(0, 0, 2, 2, src->Canvas(), 0, 0, win::SRCCOPY);
  EXPECT_EQ(dest->Canvas().GetPixel(0, 0), cl::clBlack);
  EXPECT_EQ(dest->Canvas().GetPixel(1, 0), cl::clWhite);
  EXPECT_EQ(dest->Canvas().GetPixel(0, 1), cl::clBlack);
}

}  // namespace
