#include "html/document/frame_drawing.h"

#include <gtest/gtest.h>

#include "platform/gui/bitmap.h"
#include "platform/gui/font_engine.h"

namespace html {

namespace {

void Fill(cl::TBitmap& bitmap, int w, int h, cl::TColor color) {
  bitmap.SetSize(w, h);
  bitmap.Canvas().FillRect(cl::Rect(0, 0, w, h), color);
}

bool InkIn(cl::TCanvas& canvas, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (canvas.GetPixel(x, y) != cl::clWhite) return true;
  return false;
}

TEST(FrameDrawing, SunkenBoxIsWhiteInsideWithShadowTopLeftAndSilverBottomRight) {
  cl::TBitmap bitmap;
  Fill(bitmap, 12, 12, cl::clBlack);
  auto& canvas = bitmap.Canvas();
  canvas.Pen().SetWidth(3);
  canvas.Pen().SetStyle(cl::TPenStyle::psDot);
  DrawSunkenBox(canvas, 0, 0, 12, 12, false);
  EXPECT_EQ(canvas.GetPixel(5, 5), cl::clWhite);
  EXPECT_EQ(canvas.GetPixel(0, 5), cl::ColorToRGB(cl::clBtnShadow));
  EXPECT_EQ(canvas.GetPixel(5, 0), cl::ColorToRGB(cl::clBtnShadow));
  EXPECT_EQ(canvas.GetPixel(11, 5), cl::clSilver);
  EXPECT_EQ(canvas.GetPixel(5, 11), cl::clSilver);
  EXPECT_EQ(canvas.Pen().Width(), 3);
  EXPECT_EQ(canvas.Pen().Style(), cl::TPenStyle::psDot);

  DrawSunkenBox(canvas, 0, 0, 12, 12, true);
  EXPECT_EQ(canvas.GetPixel(0, 5), cl::clSilver);
  EXPECT_EQ(canvas.GetPixel(11, 5), cl::ColorToRGB(cl::clBtnShadow));
}

TEST(FrameDrawing, BorderUsesSilverOnWhiteBackgroundsAndHighlightElsewhere) {
  cl::TBitmap bitmap;
  Fill(bitmap, 10, 10, cl::clBlack);
  auto& canvas = bitmap.Canvas();
  DrawBorder3D({false, cl::clWhite | cl::PaletteRelative}, canvas, 0, 0, 10, 10, true);
  EXPECT_EQ(canvas.GetPixel(0, 5), cl::clSilver);
  EXPECT_EQ(canvas.GetPixel(9, 5), cl::ColorToRGB(cl::clBtnShadow));
  EXPECT_EQ(canvas.GetPixel(5, 5), cl::clBlack);  // a frame only
  DrawBorder3D({false, cl::clNavy}, canvas, 0, 0, 10, 10, false);
  EXPECT_EQ(canvas.GetPixel(0, 5), cl::ColorToRGB(cl::clBtnShadow));
  EXPECT_EQ(canvas.GetPixel(9, 5), cl::ColorToRGB(cl::clBtnHighlight));
  DrawBorder3D({true, cl::clNavy}, canvas, 0, 0, 10, 10, false);
  EXPECT_EQ(canvas.GetPixel(9, 5), cl::clSilver);  // printing counts as white
}

TEST(FrameDrawing, WrappedTextBreaksBetweenWordsAndStaysInTheBox) {
  cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
  cl::TBitmap bitmap;
  Fill(bitmap, 60, 40, cl::clWhite);
  auto& canvas = bitmap.Canvas();
  canvas.Font().SetHeight(-10);  // 5 pixels a character, lines of 10
  ASSERT_EQ(canvas.TextWidth("aaaa"), 20);
  ASSERT_EQ(canvas.TextHeight("A"), 10);
  DrawWrappedText(canvas, 0, 0, 40, 25, "aaa bbb ccc ddd");
  EXPECT_TRUE(InkIn(canvas, 0, 0, 40, 10));
  EXPECT_TRUE(InkIn(canvas, 0, 10, 40, 20));
  EXPECT_FALSE(InkIn(canvas, 0, 20, 60, 40));
  EXPECT_FALSE(InkIn(canvas, 35, 0, 60, 40));  // "aaa bbb " ends at 35

  Fill(bitmap, 60, 40, cl::clWhite);
  DrawWrappedText(canvas, 0, 0, 40, 15, "aaa bbb ccc ddd");
  EXPECT_TRUE(InkIn(canvas, 0, 0, 40, 10));
  EXPECT_FALSE(InkIn(canvas, 0, 10, 60, 40));  // the second line does not fit

  Fill(bitmap, 60, 40, cl::clWhite);
  DrawWrappedText(canvas, 0, 0, 40, 30, "abcdefghijkl");
  EXPECT_FALSE(InkIn(canvas, 0, 0, 60, 10));  // too wide: the line moves down
  EXPECT_TRUE(InkIn(canvas, 0, 10, 40, 20));
  EXPECT_FALSE(InkIn(canvas, 40, 0, 60, 40));  // clipped to the box
}

TEST(FrameDrawing, TextWidthOfMeasuresCountCharacters) {
  cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
  cl::TBitmap bitmap;
  Fill(bitmap, 4, 4, cl::clWhite);
  bitmap.Canvas().Font().SetHeight(-10);
  EXPECT_EQ(TextWidthOf(bitmap.Canvas(), "abcdef", 3), 15);
  EXPECT_EQ(TextWidthOf(bitmap.Canvas(), "abc", 0), 0);
}

}  // namespace

}  // namespace html
