#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "browser/glyphs.h"

using brw::TGlyphImage;
using brw::TToolGlyph;

namespace {

TToolGlyph Glyph(int i) { return static_cast<TToolGlyph>(i); }

std::uint32_t Read32(const std::vector<std::uint8_t>& file, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, file.data() + at, 4);
  return value;
}

}  // namespace

TEST(Glyphs, EveryButtonHasItsOwnDrawingWithATransparentLowerLeftPixel) {
  std::set<std::vector<std::uint32_t>> seen;
  for (int i = 0; i < brw::toolGlyphCount; ++i) {
    for (const bool disabled : {false, true}) {
      const TGlyphImage glyph = brw::ToolGlyph(Glyph(i), disabled);
      ASSERT_EQ(glyph.Width, 16);
      ASSERT_EQ(glyph.Height, 16);
      ASSERT_EQ(glyph.Pixels.size(), 256u);
      EXPECT_EQ(glyph.At(0, 15), 0u) << i;
      EXPECT_TRUE(seen.insert(glyph.Pixels).second) << i << " looks like another glyph";
    }
  }
}

TEST(Glyphs, ForwardIsBackMirrored) {
  const TGlyphImage back = brw::ToolGlyph(TToolGlyph::Back, false);
  const TGlyphImage forward = brw::ToolGlyph(TToolGlyph::Forward, false);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(forward.At(x, y), back.At(15 - x, y)) << x << "," << y;
}

TEST(Glyphs, DisabledGlyphsAreGreyWhereTheNormalOnesAreDark) {
  for (int i = 0; i < brw::toolGlyphCount; ++i) {
    const TGlyphImage normal = brw::ToolGlyph(Glyph(i), false);
    const TGlyphImage disabled = brw::ToolGlyph(Glyph(i), true);
    int grey = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const std::uint32_t pixel = disabled.At(x, y);
        ASSERT_TRUE(pixel == 0 || pixel == 0xFF808080 || pixel == 0xFFFFFFFF) << i << ": " << std::hex << pixel;
        // Black outlines always turn grey; nothing appears out of nowhere.
        if (normal.At(x, y) == 0xFF000000) {
          EXPECT_EQ(pixel, 0xFF808080u) << i << " at " << x << "," << y;
        }
        if (pixel == 0xFF808080) {
          EXPECT_NE(normal.At(x, y), 0u);
          ++grey;
        }
      }
    EXPECT_GT(grey, 10) << i;
  }
}

TEST(Glyphs, BitmapFilesHoldBothGlyphsOverTheLowerLeftColour) {
  for (int i = 0; i < brw::toolGlyphCount; ++i) {
    const std::vector<std::uint8_t> file = brw::ToolGlyphBitmapFile(Glyph(i));
    ASSERT_EQ(file.size(), 54u + 32 * 16 * 3);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Read32(file, 2), file.size());
    EXPECT_EQ(Read32(file, 10), 54u);
    EXPECT_EQ(Read32(file, 18), 32u);
    EXPECT_EQ(Read32(file, 22), 16u);
    EXPECT_EQ(file[28], 24);
    const auto pixel = [&file](int x, int y) {  // from the top; rows are stored bottom-up
      const std::size_t at = 54 + static_cast<std::size_t>((15 - y) * 32 + x) * 3;
      return std::uint32_t{file[at]} | std::uint32_t{file[at + 1]} << 8 | std::uint32_t{file[at + 2]} << 16;
    };
    const std::uint32_t key = pixel(0, 15);
    for (const bool disabled : {false, true}) {
      const TGlyphImage glyph = brw::ToolGlyph(Glyph(i), disabled);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          const std::uint32_t expected = glyph.At(x, y) == 0 ? key : glyph.At(x, y) & 0xFFFFFF;
          ASSERT_EQ(pixel(x + (disabled ? 16 : 0), y), expected) << i << " at " << x << "," << y;
          if (glyph.At(x, y) != 0) {
            ASSERT_NE(glyph.At(x, y) & 0xFFFFFF, key);
          }
        }
    }
  }
}

TEST(Glyphs, TheFormIconIsATileWithRoundedCorners) {
  const TGlyphImage icon = brw::FormIcon();
  ASSERT_EQ(icon.Width, 32);
  ASSERT_EQ(icon.Height, 32);
  for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) EXPECT_EQ(icon.At(x, y), 0u);
  for (const auto& [x, y] : {std::pair{16, 2}, {2, 16}, {16, 29}, {16, 20}}) EXPECT_EQ(icon.At(x, y) >> 24, 0xFFu);
}

TEST(Glyphs, TheFormIconFileHoldsTheIconOverTheLowerLeftColour) {
  const TGlyphImage icon = brw::FormIcon();
  const std::vector<std::uint8_t> file = brw::FormIconBitmapFile();
  ASSERT_EQ(file.size(), 54u + 32 * 32 * 3);
  EXPECT_EQ(Read32(file, 2), file.size());
  EXPECT_EQ(Read32(file, 18), 32u);
  EXPECT_EQ(Read32(file, 22), 32u);
  const auto pixel = [&file](int x, int y) {
    const std::size_t at = 54 + static_cast<std::size_t>((31 - y) * 32 + x) * 3;
    return std::uint32_t{file[at]} | std::uint32_t{file[at + 1]} << 8 | std::uint32_t{file[at + 2]} << 16;
  };
  const std::uint32_t key = pixel(0, 31);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t expected = icon.At(x, y) == 0 ? key : icon.At(x, y) & 0xFFFFFF;
      ASSERT_EQ(pixel(x, y), expected) << x << "," << y;
    }
}
