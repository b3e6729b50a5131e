#include "html/images/masks.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/gui/gdi_constants.h"

namespace html {

namespace {

// A bitmap from rows of colour letters: r red, g green, b blue, w white, k black.
std::unique_ptr<cl::TBitmap> Paint(std::initializer_list<std::string> rows) {
  auto bitmap = std::make_unique<cl::TBitmap>();
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows.begin()->size());
  bitmap->SetSize(width, height);
  int y = 0;
  for (const auto& row : rows) {
    for (int x = 0; x < width; ++x) {
      const cl::TColor c = row[x] == 'r' ? cl::clRed : row[x] == 'g' ? cl::clLime : row[x] == 'b' ? cl::clBlue
                         : row[x] == 'w' ? cl::clWhite : cl::clBlack;
      bitmap->Canvas().SetPixel(x, y, c);
    }
    ++y;
  }
  return bitmap;
}

std::string Letters(cl::TBitmap& bitmap, int y) {
  std::string row;
  for (int x = 0; x < bitmap.Width(); ++x) {
    const cl::TColor c = bitmap.Canvas().GetPixel(x, y);
    row += c == cl::clRed ? 'r' : c == cl::clLime ? 'g' : c == cl::clBlue ? 'b' : c == cl::clWhite ? 'w'
         : c == cl::clBlack ? 'k' : c == cl::clYellow ? 'y' : '?';
  }
  return row;
}

TEST(Masks, MaskIsOneWhereTheColourIs) {
  auto image = Paint({"rgb", "bgr"});
  auto mask = MakeMask(*image, true, cl::clLime);
  ASSERT_NE(mask, nullptr);
  EXPECT_TRUE(mask->Monochrome());
  EXPECT_EQ(Letters(*mask, 0), "kwk");
  EXPECT_EQ(Letters(*mask, 1), "kwk");
}

TEST(Masks, WithoutAColourTheLowerLeftPixelDecides) {
  auto image = Paint({"rbb", "brb"});
  auto mask = MakeMask(*image, false, cl::clLime);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(Letters(*mask, 0), "kww");
  EXPECT_EQ(Letters(*mask, 1), "wkw");
  cl::TBitmap empty;
  EXPECT_EQ(MakeMask(empty, false, 0), nullptr);
}

TEST(Masks, MaskedDrawingShowsTheDestinationWhereTheMaskIsSet) {
  auto image = Paint({"rgb", "bgr"});
  auto mask = MakeMask(*image, true, cl::clLime);
  cl::TBitmap dest;
  dest.SetSize(5, 3);
  dest.Canvas().FillRect(cl::Rect(0, 0, 5, 3), cl::clYellow);
  dest.Canvas().SetBkColor(cl::clGreen);
  dest.Canvas().SetTextColor(cl::clPurple);
  DrawMasked(dest.Canvas(), *image, *mask, 1, 1, 3, 2);
  EXPECT_EQ(Letters(dest, 0), "yyyyy");
  EXPECT_EQ(Letters(dest, 1), "yryby");
  EXPECT_EQ(Letters(dest, 2), "ybyry");
  // The context's colours come back.
  EXPECT_EQ(dest.Canvas().BkColor(), cl::clGreen);
  EXPECT_EQ(dest.Canvas().TextColor(), cl::clPurple);
}

TEST(Masks, MaskedDrawingStretchesImageAndMaskAlike) {
  auto image = Paint({"rg", "gb"});
  auto mask = MakeMask(*image, true, cl::clLime);
  cl::TBitmap dest;
  dest.SetSize(4, 4);
  dest.Canvas().FillRect(cl::Rect(0, 0, 4, 4), cl::clYellow);
  DrawMasked(dest.Canvas(), *image, *mask, 0, 0, 4, 4);
  EXPECT_EQ(Letters(dest, 0), "rryy");
  EXPECT_EQ(Letters(dest, 1), "rryy");
  EXPECT_EQ(Letters(dest, 2), "yybb");
  EXPECT_EQ(Letters(dest, 3), "yybb");
  // Shrunk, an opaque pixel wins over a transparent one (black on white).
  cl::TBitmap small;
  small.SetSize(1, 1);
  small.Canvas().FillRect(cl::Rect(0, 0, 1, 1), cl::clYellow);
  auto one = Paint({"gg", "gr"});
  auto oneMask = MakeMask(*one, true, cl::clLime);
  DrawMasked(small.Canvas(), *one, *oneMask, 0, 0, 1, 1);
  EXPECT_NE(small.Canvas().GetPixel(0, 0), cl::clYellow);
}

TEST(Masks, AMaskedImageFarLargerThanTheDeviceIsComposedOnlyWhereItShows) {
  // Stretched whole, 100,000 x 100,000 would take 40 GB; the 4 x 4 device
  // shows the middle, where the four pixels meet.
  auto image = Paint({"rg", "gb"});
  auto mask = MakeMask(*image, true, cl::clLime);
  cl::TBitmap dest;
  dest.SetSize(4, 4);
  dest.Canvas().FillRect(cl::Rect(0, 0, 4, 4), cl::clYellow);
  DrawMasked(dest.Canvas(), *image, *mask, -49998, -49998, 100000, 100000);
  EXPECT_EQ(Letters(dest, 0), "rryy");
  EXPECT_EQ(Letters(dest, 1), "rryy");
  EXPECT_EQ(Letters(dest, 2), "yybb");
  EXPECT_EQ(Letters(dest, 3), "yybb");
}

TEST(Masks, NothingIsDrawnOnAMonochromeDevice) {
  auto image = Paint({"rg"});
  auto mask = MakeMask(*image, true, cl::clLime);
  cl::TBitmap dest;
  dest.SetSize(2, 1);
  dest.SetMonochrome(true);
  dest.Canvas().FillRect(cl::Rect(0, 0, 2, 1), cl::clWhite);
  DrawMasked(dest.Canvas(), *image, *mask, 0, 0, 2, 1);
  EXPECT_EQ(Letters(dest, 0), "ww");
}

}  // namespace

}  // namespace html
