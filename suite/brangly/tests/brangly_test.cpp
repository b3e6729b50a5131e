// The glyph library as its callers use it: a handle handed to a bitmap that
// owns it.
#include "suite/brangly/brangly.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"

namespace {

std::unique_ptr<cl::TBitmap> Glyph(const char* name) {
  const win::HBITMAP handle = GLYPH(name);
  if (!handle) return nullptr;
  auto bitmap = std::make_unique<cl::TBitmap>();
  bitmap->SetHandle(handle);
  return bitmap;
}

// The pixels of one cell that are not the transparent colour.
int DrawnPixels(cl::TBitmap& bitmap, int cellLeft) {
  int drawn = 0;
  for (int y = 0; y < GlyphCell; ++y)
    for (int x = cellLeft; x < cellLeft + GlyphCell; ++x)
      if ((bitmap.Canvas().GetPixel(x, y) & 0xFFFFFF) != GlyphTransparent) ++drawn;
  return drawn;
}

TEST(Brangly, CheckMarkOnTheTransparentColour) {
  auto bitmap = Glyph("CHECKMARK");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Width(), GlyphCell);
  EXPECT_EQ(bitmap->Height(), GlyphCell);
  EXPECT_EQ(bitmap->Canvas().GetPixel(0, 0) & 0xFFFFFF, GlyphTransparent);
  EXPECT_GT(DrawnPixels(*bitmap, 0), 8);
}

TEST(Brangly, AddressMarksAreAStripOfSquareCells) {
  auto bitmap = Glyph("ADRMARKS");
  ASSERT_TRUE(bitmap);
  ASSERT_EQ(bitmap->Height(), GlyphCell);
  ASSERT_EQ(bitmap->Width() % GlyphCell, 0);
  // The cells the chooser draws: station kinds at 16, 32, 48, the network at
  // 64, fax at 80 and SMS at 96; 0 stays blank.
  ASSERT_GE(bitmap->Width(), 7 * GlyphCell);
  EXPECT_EQ(DrawnPixels(*bitmap, 0), 0);
  for (int left = 16; left <= 96; left += 16) EXPECT_GT(DrawnPixels(*bitmap, left), 8) << left;
}

TEST(Brangly, ButtonGlyphsHoldAPictureAndItsGreyDisabledCopy) {
  std::set<std::vector<int>> pictures;
  for (const char* name : {"BOOKSAVE", "BOOKNEW", "ENTRYADD", "ENTRYDUP", "ENTRYEDIT", "ENTRYDEL"}) {
    SCOPED_TRACE(name);
    auto bitmap = Glyph(name);
    ASSERT_TRUE(bitmap);
    ASSERT_EQ(bitmap->Width(), 2 * GlyphCell);
    ASSERT_EQ(bitmap->Height(), GlyphCell);
    cl::TCanvas& canvas = bitmap->Canvas();
    // A speed button takes each cell's bottom-left pixel as transparent.
    EXPECT_EQ(canvas.GetPixel(0, GlyphCell - 1) & 0xFFFFFF, GlyphTransparent);
    EXPECT_EQ(canvas.GetPixel(GlyphCell, GlyphCell - 1) & 0xFFFFFF, GlyphTransparent);
    EXPECT_GT(DrawnPixels(*bitmap, 0), 20);
    std::vector<int> picture;
    for (int y = 0; y < GlyphCell; ++y)
      for (int x = 0; x < GlyphCell; ++x) {
        const int normal = canvas.GetPixel(x, y) & 0xFFFFFF;
        const int disabled = canvas.GetPixel(GlyphCell + x, y) & 0xFFFFFF;
        picture.push_back(normal);
        // The disabled cell: the same shape, grey.
        EXPECT_EQ(disabled, normal == GlyphTransparent ? GlyphTransparent : 0x808080) << x << "," << y;
      }
    pictures.insert(picture);
  }
  EXPECT_EQ(pictures.size(), 6u) << "each button its own picture";
}

TEST(Brangly, EachCallGivesItsOwnBitmapAndUnknownNamesNone) {
  const win::HBITMAP a = GLYPH("CHECKMARK");
  const win::HBITMAP b = GLYPH("CHECKMARK");
  EXPECT_NE(a, b);
  win::DeleteObject(a);
  win::DeleteObject(b);
  EXPECT_EQ(GLYPH("checkmark"), nullptr);
  EXPECT_EQ(GLYPH(""), nullptr);
  EXPECT_EQ(GLYPH(nullptr), nullptr);
}

}  // namespace
