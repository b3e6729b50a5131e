#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <random>
#include <vector>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/qt_bridge.h"

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

namespace {

// A picture as plain colours, row by row.
struct Picture {
  int width = 0, height = 0;
  std::vector<TColor> pixels;
  TColor At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  bool Holds(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

Picture RandomPicture(int width, int height, std::mt19937& random) {
  Picture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) picture.pixels.push_back(static_cast<TColor>(random() & 0xFFFFFF));
  return picture;
}

QImage ImageOf(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) image.setPixel(x, y, cl::ToQRgb(picture.At(x, y)));
  return image;
}

Picture PictureOf(const QImage& image) {
  Picture picture{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) picture.pixels.push_back(cl::FromQRgb(image.pixel(x, y)));
  return picture;
}

std::unique_ptr<TBitmap> BitmapOf(const Picture& picture) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetHandle(win::CreateBitmapFromImage(ImageOf(picture)));
  return bitmap;
}

TColor Combine(uint32_t rop, TColor source, TColor dest) {
  const TColor s = source, d = dest, all = 0xFFFFFF;
  switch (rop) {
    case win::SRCCOPY: return s;
    case win::SRCAND: return s & d;
    case win::SRCPAINT: return s | d;
    case win::SRCINVERT: return s ^ d;
    case win::SRCERASE: return s & ~d & all;
    case win::NOTSRCCOPY: return ~s & all;
    case win::NOTSRCERASE: return ~(s | d) & all;
    case win::MERGEPAINT: return (~s | d) & all;
    default: return d & ~s & all;  // DSna
  }
}

// Where an unstretched copy lands, in logical coordinates of both canvases.
struct Geometry {
  const char* what;
  int srcWidth, srcHeight;
  int x, y, width, height, sx, sy;
  bool clipped;
  cl::TRect clip;
  cl::TPoint destOrigin, srcOrigin;
};

// The rule every unstretched colour copy keeps: a device pixel inside the
// rectangle, the device and the clip becomes the raster operation of itself
// and the source pixel at the same offset, black where that lies off the
// source; every other pixel stays.
Picture Expected(const Picture& dest, const Picture& src, const Geometry& g, uint32_t rop) {
  Picture out = dest;
  for (int py = 0; py < dest.height; ++py)
    for (int px = 0; px < dest.width; ++px) {
      const int lx = px + g.destOrigin.X, ly = py + g.destOrigin.Y;
      if (lx < g.x || ly < g.y || lx >= g.x + g.width || ly >= g.y + g.height) continue;
      if (g.clipped && (lx < g.clip.Left || ly < g.clip.Top || lx >= g.clip.Right || ly >= g.clip.Bottom)) continue;
      const int sx = g.sx - g.srcOrigin.X + lx - g.x, sy = g.sy - g.srcOrigin.Y + ly - g.y;
      const TColor s = src.Holds(sx, sy) ? src.At(sx, sy) : TColor{0};
      out.pixels[static_cast<std::size_t>(py * dest.width + px)] = Combine(rop, s, dest.At(px, py));
    }
  return out;
}

constexpr int kDestWidth = 37, kDestHeight = 23;

const Geometry kGeometries[] = {
    {"the whole picture", 37, 23, 0, 0, 37, 23, 0, 0, false, {}, {0, 0}, {0, 0}},
    {"an inner part from elsewhere", 37, 23, 5, 3, 20, 11, 9, 6, false, {}, {0, 0}, {0, 0}},
    {"hanging off the left and top", 37, 23, -7, -4, 25, 15, 2, 1, false, {}, {0, 0}, {0, 0}},
    {"hanging off the right and bottom", 37, 23, 20, 15, 30, 20, 0, 0, false, {}, {0, 0}, {0, 0}},
    {"larger than the device on all sides", 60, 40, -9, -8, 60, 40, 0, 0, false, {}, {0, 0}, {0, 0}},
    {"reading off the source's left and bottom", 37, 23, 2, 2, 30, 18, -5, 10, false, {}, {0, 0}, {0, 0}},
    {"reading wholly off the source", 37, 23, 3, 4, 10, 6, 100, 0, false, {}, {0, 0}, {0, 0}},
    {"from a larger source", 90, 70, 0, 0, 37, 23, 41, 33, false, {}, {0, 0}, {0, 0}},
    {"inside a clip", 37, 23, -3, 0, 40, 23, 0, 0, true, {4, 2, 30, 19}, {0, 0}, {0, 0}},
    {"under window origins, as a paint copies its buffer", 37, 23, 12, 7, 20, 12, 12, 7, true, {12, 7, 32, 19},
     {10, 5}, {12, 7}},
};

constexpr uint32_t kRops[] = {win::SRCCOPY,     win::SRCAND,      win::SRCPAINT,   win::SRCINVERT, win::SRCERASE,
                              win::NOTSRCCOPY, win::NOTSRCERASE, win::MERGEPAINT, win::DSna};

void ExpectSame(const Picture& got, const Picture& want, const Geometry& g, uint32_t rop, const char* target) {
  int wrong = 0;
  for (int y = 0; y < want.height; ++y)
    for (int x = 0; x < want.width; ++x)
      if (got.At(x, y) != want.At(x, y) && ++wrong <= 3)
        ADD_FAILURE() << target << ", " << g.what << ", rop " << std::hex << rop << ": pixel " << std::dec << x << ","
                      << y << " is " << std::hex << got.At(x, y) << " not " << want.At(x, y);
}

// What the copy leaves on a bitmap's canvas, or on a window's painter in a
// paint event.
enum class Onto { Bitmap, Window };

Picture CopyOnto(Onto onto, const Picture& dest, const Picture& src, const Geometry& g, uint32_t rop) {
  auto srcBitmap = BitmapOf(src);
  srcBitmap->Canvas().SetWindowOrg(g.srcOrigin.X, g.srcOrigin.Y);
  auto blit = [&](cl::TCanvas& canvas) {
    canvas.SetWindowOrg(g.destOrigin.X, g.destOrigin.Y);
    if (g.clipped) canvas.IntersectClipRect(g.clip.Left, g.clip.Top, g.clip.Right, g.clip.Bottom);
    EXPECT_TRUE(canvas.BitBlt(g.x, g.y, g.width, g.height, srcBitmap->Canvas(), g.sx, g.sy, rop)) << g.what;
  };
  if (onto == Onto::Bitmap) {
    auto destBitmap = BitmapOf(dest);
    blit(destBitmap->Canvas());
    return PictureOf(destBitmap->Handle()->image);
  }
  QImage window = ImageOf(dest);
  {
    QPainter painter(&window);
    blit(*cl::CreatePainterCanvas(painter, window.size(), cl::DeviceKind::Screen));
  }
  return PictureOf(window);
}

TEST(RasterOps, UnstretchedColourCopiesKeepThePixelRuleOnRandomPictures) {
  std::mt19937 random(1234);
  for (const Onto onto : {Onto::Bitmap, Onto::Window})
    for (const Geometry& g : kGeometries)
      for (const uint32_t rop : kRops) {
        const Picture dest = RandomPicture(kDestWidth, kDestHeight, random);
        const Picture src = RandomPicture(g.srcWidth, g.srcHeight, random);
        ExpectSame(CopyOnto(onto, dest, src, g, rop), Expected(dest, src, g, rop), g, rop,
                   onto == Onto::Bitmap ? "bitmap" : "window");
      }
}

}  // namespace
