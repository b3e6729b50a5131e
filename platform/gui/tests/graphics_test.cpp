#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "platform/gui/application.h"
#include "platform/gui/colors.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/gdi_objects.h"
#include "platform/gui/region.h"
#include "platform/gui/screen.h"
#include "platform/gui/test_support/screen_depth.h"

namespace {

TEST(Colors, SystemColoursResolveThroughTheApplicationPaletteAndFlagsAreIgnored) {
  cl::EnsureQtApplication();
  QPalette palette = QApplication::palette();
  const QPalette saved = palette;
  palette.setColor(QPalette::Active, QPalette::Button, QColor(0x12, 0x34, 0x56));
  palette.setColor(QPalette::Active, QPalette::Base, QColor(0xFE, 0xFD, 0xFC));
  QApplication::setPalette(palette);
  EXPECT_EQ(cl::ColorToRGB(cl::clBtnFace), cl::RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(cl::ColorToRGB(cl::clWindow), cl::RGB(0xFE, 0xFD, 0xFC));
  EXPECT_EQ(cl::ColorToRGB(0x00336699 | cl::PaletteRelative), 0x00336699);
  EXPECT_EQ(cl::ColorToRGB(cl::clRed), 0x0000FF);
  QApplication::setPalette(saved);
}

TEST(Regions, RectangleRegionExcludesItsRightAndBottomEdges) {
  const auto r = win::CreateRectRgn(1, 1, 4, 3);
  EXPECT_TRUE(r.Contains(1, 1));
  EXPECT_TRUE(r.Contains(3, 2));
  EXPECT_FALSE(r.Contains(4, 2));
  EXPECT_FALSE(r.Contains(3, 3));
  EXPECT_EQ(r.Box(), cl::Rect(1, 1, 4, 3));
}

TEST(Regions, DifferenceRemovesTheInnerRectangle) {
  const auto outer = win::CreateRectRgn(0, 0, 10, 10);
  const auto inner = win::CreateRectRgn(2, 2, 8, 8);
  const auto frame = win::CombineRgn(outer, inner, win::RGN_DIFF);
  EXPECT_TRUE(frame.Contains(1, 5));
  EXPECT_FALSE(frame.Contains(5, 5));
  EXPECT_TRUE(frame.Contains(8, 8));
  EXPECT_FALSE(win::CombineRgn(inner, outer, win::RGN_DIFF).Contains(5, 5));
}

TEST(Regions, WindingPolygonFillsTheOverlapThatAlternateLeavesOut) {
  // A rectangle traced twice in the same direction: winding number 2 inside.
  const std::vector<cl::TPoint> twice = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0},
                                         {2, 2}, {8, 2},  {8, 8},   {2, 8},  {2, 2}};
  EXPECT_TRUE(win::CreatePolygonRgn(twice, win::WINDING).Contains(5, 5));
  EXPECT_FALSE(win::CreatePolygonRgn(twice, win::ALTERNATE).Contains(5, 5));
  EXPECT_TRUE(win::CreatePolygonRgn(twice, win::ALTERNATE).Contains(1, 5));
}

TEST(Regions, EllipseHoldsItsCentreButNotItsCorners) {
  const auto e = win::CreateEllipticRgn(0, 0, 10, 10);
  EXPECT_TRUE(e.Contains(5, 5));
  EXPECT_FALSE(e.Contains(0, 0));
  EXPECT_FALSE(e.Contains(9, 9));
  EXPECT_TRUE(win::CreateEllipticRgn(3, 3, 3, 8).IsEmpty());
}

TEST(Palettes, EntriesCopyAndNearestIndexFindsTheClosestColour) {
  const std::vector<win::PALETTEENTRY> entries = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 0, 250, 0}};
  win::UniquePalette palette(win::CreatePalette(0x300, entries));
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(win::PaletteEntryCount(palette.get()), 3);
  win::PALETTEENTRY out[4];
  EXPECT_EQ(win::GetPaletteEntries(palette.get(), 1, 4, out), 2);
  EXPECT_EQ(out[0], entries[1]);
  EXPECT_EQ(win::GetNearestPaletteIndex(palette.get(), cl::RGB(200, 10, 10)), 1);
  EXPECT_EQ(win::GetNearestPaletteIndex(palette.get(), cl::RGB(0, 0, 255)), 2);
  EXPECT_EQ(win::CreatePalette(0x300, {}), nullptr);
  EXPECT_EQ(win::CreatePalette(0x300, std::vector<win::PALETTEENTRY>(257)), nullptr);
}

TEST(Palettes, SystemPaletteHasTheStaticColoursAtBothEnds) {
  win::PALETTEENTRY all[256];
  EXPECT_EQ(win::GetSystemPaletteEntries(0, 256, all), 256);
  EXPECT_EQ(all[0], (win::PALETTEENTRY{0, 0, 0, 0}));
  EXPECT_EQ(all[7], (win::PALETTEENTRY{192, 192, 192, 0}));
  EXPECT_EQ(all[255], (win::PALETTEENTRY{255, 255, 255, 0}));
  EXPECT_EQ(all[249], (win::PALETTEENTRY{255, 0, 0, 0}));
}

TEST(Screen, ReportsTwentyFourBitsUnlessATestAsksForEight) {
  EXPECT_EQ(cl::Screen().BitsPerPixel(), 24);
  EXPECT_EQ(cl::Screen().PixelsPerInch(), 96);
  {
    const cl::testing::ScopedScreenDepth eight(8);
    EXPECT_EQ(cl::Screen().BitsPerPixel(), 8);
  }
  EXPECT_EQ(cl::Screen().BitsPerPixel(), 24);
}

TEST(Application, ExceptionsGoToTheHandlerAndTerminateIsRemembered) {
  std::string seen;
  cl::Application().SetExceptionHandler([&](const std::exception& e) { seen = e.what(); });
  cl::Application().HandleException(std::runtime_error("boom"));
  EXPECT_EQ(seen, "boom");
  cl::Application().SetExceptionHandler(nullptr);
}

}  // namespace

#include <QBitmap>

#include "platform/gui/qt_bridge.h"

namespace {

TEST(Cursors, WindowsPlanesBecomeQtsBitmapAndMask) {
  cl::EnsureQtApplication();
  // One row of 16: black, white, transparent, inverted, then transparent.
  cl::TCursorShape shape;
  shape.Width = 16;
  shape.Height = 1;
  shape.HotX = 2;
  shape.AndPlane = {0x3F, 0xFF};  // pixels 0 and 1 drawn
  shape.XorPlane = {0x50, 0x00};  // pixel 1 white, pixel 3 inverted
  const QCursor cursor = cl::ToQCursor(shape);
  const QImage bitmap = cursor.bitmap().toImage();
  const QImage mask = cursor.mask().toImage();
  // Qt draws a bitmap bit of 1 (color1) as black.
  auto on = [](const QImage& image, int x) { return image.pixel(x, 0) == qRgb(0, 0, 0); };
  EXPECT_TRUE(on(bitmap, 0) && on(mask, 0));    // black
  EXPECT_TRUE(!on(bitmap, 1) && on(mask, 1));   // white
  EXPECT_TRUE(!on(bitmap, 2) && !on(mask, 2));  // transparent
  EXPECT_TRUE(on(bitmap, 3) && !on(mask, 3));   // inverted
  EXPECT_EQ(cursor.hotSpot(), QPoint(2, 0));
}

}  // namespace
