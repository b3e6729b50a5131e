#include <gtest/gtest.h>

#include <string>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/region.h"

namespace {

using cl::TBitmap;
using cl::TCanvas;

// A white colour bitmap of the given size.
void MakeWhite(TBitmap& bitmap, int w, int h) {
  bitmap.SetSize(w, h);
  bitmap.Canvas().FillRect(cl::Rect(0, 0, w, h), cl::clWhite);
}

// The pixels of row y as '#' (not white) and '.' (white).
std::string Row(TCanvas& canvas, int y, int width) {
  std::string row;
  for (int x = 0; x < width; ++x) row += canvas.GetPixel(x, y) == cl::clWhite ? '.' : '#';
  return row;
}

TEST(CanvasPixelRules, FillRectAndRectangleExcludeTheRightAndBottomEdges) {
  TBitmap bitmap;
  MakeWhite(bitmap, 6, 6);
  auto& canvas = bitmap.Canvas();
  canvas.FillRect(cl::Rect(1, 1, 3, 3), cl::clBlack);
  EXPECT_EQ(Row(canvas, 0, 6), "......");
  EXPECT_EQ(Row(canvas, 1, 6), ".##...");
  EXPECT_EQ(Row(canvas, 2, 6), ".##...");
  EXPECT_EQ(Row(canvas, 3, 6), "......");

  MakeWhite(bitmap, 6, 6);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  canvas.Pen().SetColor(cl::clBlack);
  canvas.Rectangle(1, 1, 5, 4);
  EXPECT_EQ(Row(canvas, 1, 6), ".####.");
  EXPECT_EQ(Row(canvas, 2, 6), ".#..#.");
  EXPECT_EQ(Row(canvas, 3, 6), ".####.");
  EXPECT_EQ(Row(canvas, 4, 6), "......");
}

TEST(CanvasPixelRules, FillRgnPaintsTheRegionAndNotItsRightAndBottomEdges) {
  TBitmap bitmap;
  MakeWhite(bitmap, 7, 7);
  auto& canvas = bitmap.Canvas();
  const auto frame = win::CombineRgn(win::CreateRectRgn(0, 0, 5, 5), win::CreateRectRgn(2, 2, 4, 4), win::RGN_DIFF);
  canvas.FillRgn(frame, cl::clBlack);
  const char* expected[] = {"#####..", "#####..", "##..#..", "##..#..", "#####..", ".......", "......."};
  for (int y = 0; y < 7; ++y) EXPECT_EQ(Row(canvas, y, 7), expected[y]) << y;
}

TEST(CanvasPixelRules, LineExcludesItsEndPoint) {
  struct Case {
    int x0, y0, x1, y1;
    const char* row0;
  };
  const Case cases[] = {{0, 0, 4, 0, "####.."}, {4, 0, 0, 0, ".####."}, {2, 0, 2, 0, "......"}};
  for (const auto& c : cases) {
    TBitmap bitmap;
    MakeWhite(bitmap, 6, 1);
    auto& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(cl::clBlack);
    canvas.MoveTo(c.x0, c.y0);
    canvas.LineTo(c.x1, c.y1);
    EXPECT_EQ(Row(canvas, 0, 6), c.row0) << c.x0 << "->" << c.x1;
    EXPECT_EQ(canvas.PenPos(), (cl::TPoint{c.x1, c.y1}));
  }
  // Columns likewise, both ways; a rule far wider than the bitmap is drawn as
  // one run (table borders are), not pixel by pixel.
  const Case columns[] = {{0, 0, 0, 4, "####.."}, {0, 4, 0, 0, ".####."}};
  for (const auto& c : columns) {
    TBitmap bitmap;
    MakeWhite(bitmap, 1, 6);
    auto& canvas = bitmap.Canvas();
    canvas.MoveTo(c.x0, c.y0);
    canvas.LineTo(c.x1, c.y1);
    std::string column;
    for (int y = 0; y < 6; ++y) column += canvas.GetPixel(0, y) == cl::clBlack ? '#' : '.';
    EXPECT_EQ(column, c.row0) << c.y0 << "->" << c.y1;
  }
  {
    TBitmap bitmap;
    MakeWhite(bitmap, 6, 2);
    auto& canvas = bitmap.Canvas();
    canvas.MoveTo(-2'000'000'000, 1);
    canvas.LineTo(2'000'000'000, 1);
    EXPECT_EQ(Row(canvas, 0, 6), "......");
    EXPECT_EQ(Row(canvas, 1, 6), "######");
  }
  // A diagonal covers (0,0), (1,1), (2,2) but not (3,3).
  TBitmap bitmap;
  MakeWhite(bitmap, 4, 4);
  auto& canvas = bitmap.Canvas();
  canvas.MoveTo(0, 0);
  canvas.LineTo(3, 3);
  EXPECT_EQ(canvas.GetPixel(2, 2), cl::clBlack);
  EXPECT_EQ(canvas.GetPixel(3, 3), cl::clWhite);
}

TEST(CanvasPixelRules, EllipseStaysInsideItsRectangle) {
  TBitmap bitmap;
  MakeWhite(bitmap, 8, 8);
  auto& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(cl::clBlack);
  canvas.Pen().SetColor(cl::clBlack);
  canvas.Ellipse(1, 1, 6, 6);
  int left = 8, right = -1, top = 8, bottom = -1;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (canvas.GetPixel(x, y) != cl::clWhite) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_EQ(left, 1);
  EXPECT_EQ(right, 5);
  EXPECT_EQ(top, 1);
  EXPECT_EQ(bottom, 5);
}

TEST(CanvasText, FixedPitchTextIsDrawnWhereTheAdvancesSay) {
  cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
  TBitmap bitmap;
  MakeWhite(bitmap, 40, 20);
  auto& canvas = bitmap.Canvas();
  canvas.Font().SetHeight(-8);  // advance 4, ascent 6, descent 2
  canvas.Font().SetColor(cl::clBlack);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  canvas.SetTextAlign(win::TA_BASELINE);
  canvas.TextOut(2, 10, "a b");
  EXPECT_EQ(canvas.TextExtent("a b"), (cl::TSize{12, 8}));
  EXPECT_EQ(Row(canvas, 9, 16), "..###.....###...");
  EXPECT_EQ(Row(canvas, 4, 16), "..###.....###...");
  EXPECT_EQ(Row(canvas, 3, 16), "................");
  EXPECT_EQ(Row(canvas, 10, 16), "................");
  EXPECT_EQ(canvas.PenPos().X, 14);
}

TEST(CanvasText, AlignmentMovesTheReferencePoint) {
  cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
  struct Case {
    uint32_t align;
    int x, y;
    int expectLeft, expectTop;
  };
  // Text "ab" is 8 wide, cell 8 high with ascent 6.
  const Case cases[] = {{win::TA_TOP | win::TA_LEFT, 10, 5, 10, 5},
                        {win::TA_BASELINE, 10, 11, 10, 5},
                        {win::TA_BOTTOM, 10, 13, 10, 5},
                        {win::TA_RIGHT, 18, 5, 10, 5},
                        {win::TA_CENTER, 14, 5, 10, 5}};
  for (const auto& c : cases) {
    TBitmap bitmap;
    MakeWhite(bitmap, 30, 20);
    auto& canvas = bitmap.Canvas();
    canvas.Font().SetHeight(-8);
    canvas.Font().SetColor(cl::clBlack);
    canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
    canvas.SetTextAlign(c.align);
    canvas.TextOut(c.x, c.y, "ab");
    EXPECT_EQ(canvas.GetPixel(c.expectLeft, c.expectTop), cl::clBlack) << c.align;
    EXPECT_EQ(canvas.GetPixel(c.expectLeft - 1, c.expectTop), cl::clWhite) << c.align;
    EXPECT_EQ(canvas.GetPixel(c.expectLeft, c.expectTop - 1), cl::clWhite) << c.align;
  }
}

TEST(CanvasText, SolidBrushPaintsTheTextBackgroundAndClearLeavesIt) {
  cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
  TBitmap bitmap;
  MakeWhite(bitmap, 20, 10);
  auto& canvas = bitmap.Canvas();
  canvas.Font().SetHeight(-8);
  canvas.Font().SetColor(cl::clBlack);
  canvas.Brush().SetColor(cl::clRed);
  canvas.TextOut(0, 0, "  ");
  EXPECT_EQ(canvas.GetPixel(0, 0), cl::clRed);
  EXPECT_EQ(canvas.GetPixel(7, 7), cl::clRed);
  EXPECT_EQ(canvas.GetPixel(8, 0), cl::clWhite);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  canvas.TextOut(10, 0, "  ");
  EXPECT_EQ(canvas.GetPixel(10, 0), cl::clWhite);
}

TEST(CanvasText, ClippedTextStaysInItsRectangle) {
  cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
  TBitmap bitmap;
  MakeWhite(bitmap, 20, 10);
  auto& canvas = bitmap.Canvas();
  canvas.Font().SetHeight(-8);
  canvas.Font().SetColor(cl::clBlack);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  const cl::TRect clip = cl::Rect(0, 0, 5, 10);
  canvas.ExtTextOut(0, 0, win::ETO_CLIPPED, &clip, "aa");
  EXPECT_EQ(Row(canvas, 3, 8), "###.#...");
}

TEST(CanvasClip, IntersectAndExcludeNarrowTheDrawing) {
  TBitmap bitmap;
  MakeWhite(bitmap, 6, 1);
  auto& canvas = bitmap.Canvas();
  canvas.IntersectClipRect(1, 0, 5, 1);
  canvas.ExcludeClipRect(2, 0, 3, 1);
  EXPECT_EQ(canvas.GetClipBox(), cl::Rect(1, 0, 5, 1));
  canvas.FillRect(cl::Rect(0, 0, 6, 1), cl::clBlack);
  EXPECT_EQ(Row(canvas, 0, 6), ".#.##.");
  canvas.SelectClipRgn(nullptr);
  EXPECT_EQ(canvas.GetClipBox(), cl::Rect(0, 0, 6, 1));
}

TEST(CanvasDevice, MemoryContextDrawsIntoTheSelectedBitmap) {
  auto dc = TCanvas::CreateCompatible();
  EXPECT_EQ(dc->BitsPerPixel(), 1);  // its own 1x1 monochrome bitmap
  win::UniqueBitmap bitmap(win::CreateCompatibleBitmap(3, 3));
  const win::HBITMAP old = dc->SelectBitmap(bitmap.get());
  EXPECT_EQ(dc->BitsPerPixel(), 24);
  dc->FillRect(cl::Rect(0, 0, 3, 3), cl::clRed);
  EXPECT_EQ(dc->GetPixel(2, 2), cl::clRed);
  dc->SelectBitmap(old);
  EXPECT_EQ(dc->Size(), (cl::TSize{1, 1}));
}

TEST(CanvasPalette, SelectReturnsThePreviousAndRealiseCountsOnlyOnPaletteDevices) {
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  auto& canvas = bitmap.Canvas();
  win::UniquePalette palette(win::CreatePalette(0x300, std::vector<win::PALETTEENTRY>(16)));
  EXPECT_EQ(canvas.SelectPalette(palette.get(), false), nullptr);
  EXPECT_EQ(canvas.RealizePalette(), 0);
  EXPECT_EQ(canvas.SelectPalette(nullptr, false), palette.get());
}

}  // namespace

#include <QImage>
#include <QPainter>

#include "platform/gui/qt_bridge.h"

namespace {

TEST(CanvasDevice, PainterCanvasDrawsThroughSomeoneElsesPainter) {
  QImage image(6, 2, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    auto canvas = cl::CreatePainterCanvas(painter, image.size(), cl::DeviceKind::Printer);
    EXPECT_TRUE(canvas->IsPrinter());
    EXPECT_EQ(canvas->BitsPerPixel(), 24);
    canvas->SetDeviceBitsPerPixel(1);
    EXPECT_EQ(canvas->NumColors(), 2);
    canvas->IntersectClipRect(0, 0, 3, 2);
    canvas->FillRect(cl::Rect(1, 0, 6, 1), cl::clRed);
    EXPECT_EQ(canvas->GetPixel(1, 0), -1);  // a painter's device is not readable
  }
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(2, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(3, 0), qRgb(255, 255, 255));
}

}  // namespace

namespace {

TEST(CanvasCoordinates, WindowOriginShiftsDrawingClipsAndReads) {
  TBitmap bitmap;
  MakeWhite(bitmap, 6, 1);
  auto& canvas = bitmap.Canvas();
  EXPECT_EQ(canvas.SetWindowOrg(10, 0), (cl::TPoint{0, 0}));
  canvas.FillRect(cl::Rect(11, 0, 13, 1), cl::clBlack);
  EXPECT_EQ(canvas.GetPixel(11, 0), cl::clBlack);  // logical
  EXPECT_EQ(canvas.GetClipBox(), cl::Rect(10, 0, 16, 1));
  canvas.IntersectClipRect(12, 0, 16, 1);
  canvas.FillRect(cl::Rect(10, 0, 16, 1), cl::clRed);
  canvas.SetWindowOrg(0, 0);
  EXPECT_EQ(canvas.GetPixel(0, 0), cl::clWhite);
  EXPECT_EQ(canvas.GetPixel(1, 0), cl::clBlack);
  EXPECT_EQ(canvas.GetPixel(2, 0), cl::clRed);
  EXPECT_EQ(canvas.GetPixel(5, 0), cl::clRed);
  EXPECT_EQ(canvas.GetClipBox(), cl::Rect(2, 0, 6, 1));
}

TEST(CanvasCoordinates, AnisotropicModeScalesLogicalUnitsToDevicePixels) {
  TBitmap bitmap;
  MakeWhite(bitmap, 8, 8);
  auto& canvas = bitmap.Canvas();
  canvas.SetMapMode(win::MM_ANISOTROPIC);
  canvas.SetWindowExt(96, 96);
  canvas.SetViewportExt(192, 192);  // a 192-dpi device drawn in 96-dpi units
  canvas.SetViewportOrg(2, 0);
  EXPECT_EQ(canvas.LPtoDP({1, 1}), (cl::TPoint{4, 2}));
  EXPECT_EQ(canvas.DPtoLP({4, 2}), (cl::TPoint{1, 1}));
  canvas.FillRect(cl::Rect(0, 0, 2, 1), cl::clBlack);
  canvas.SetMapMode(win::MM_TEXT);
  canvas.SetViewportOrg(0, 0);
  EXPECT_EQ(Row(canvas, 0, 8), "..####..");
  EXPECT_EQ(Row(canvas, 1, 8), "..####..");
  EXPECT_EQ(Row(canvas, 2, 8), "........");
}

TEST(CanvasCoordinates, BlitSourceRectangleIsInTheSourcesLogicalUnits) {
  TBitmap source;
  MakeWhite(source, 4, 1);
  source.Canvas().SetPixel(3, 0, cl::clRed);
  source.Canvas().SetWindowOrg(3, 0);
  TBitmap dest;
  MakeWhite(dest, 1, 1);
  dest.Canvas().BitBlt(0, 0, 1, 1, source.Canvas(), 6, 0, win::SRCCOPY);
  EXPECT_EQ(dest.Canvas().GetPixel(0, 0), cl::clRed);
}

}  // namespace

namespace {

TEST(CanvasState, RestoreBringsBackTheSavedLevelAndDropsLaterOnes) {
  TBitmap bitmap;
  MakeWhite(bitmap, 4, 4);
  auto& canvas = bitmap.Canvas();
  canvas.SetTextColor(cl::clRed);
  const int first = canvas.SaveDC();
  canvas.SetTextColor(cl::clBlue);
  canvas.SetWindowOrg(5, 5);
  canvas.IntersectClipRect(5, 5, 6, 6);
  const int second = canvas.SaveDC();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  canvas.SetTextAlign(win::TA_BASELINE);
  EXPECT_TRUE(canvas.RestoreDC(-1));
  EXPECT_EQ(canvas.TextAlign(), win::TA_TOP);
  EXPECT_EQ(canvas.GetClipBox(), cl::Rect(5, 5, 6, 6));
  EXPECT_TRUE(canvas.SaveDC() == 2 && canvas.RestoreDC(1));
  EXPECT_EQ(canvas.TextColor(), cl::clRed);
  EXPECT_EQ(canvas.WindowOrg(), (cl::TPoint{0, 0}));
  EXPECT_EQ(canvas.GetClipBox(), cl::Rect(0, 0, 4, 4));
  EXPECT_FALSE(canvas.RestoreDC(1));
  EXPECT_FALSE(canvas.RestoreDC(-1));
}

}  // namespace
