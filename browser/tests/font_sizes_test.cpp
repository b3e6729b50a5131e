#include <gtest/gtest.h>

#include <vector>

#include "browser/font_sizes.h"

using brw::NextFontSize;
using brw::ScalableFontHeights;
using brw::StepFontHeight;

TEST(FontSizes, ScalableFacesStepThroughTheEighteenSizes) {
  const std::vector<std::int32_t> heights = ScalableFontHeights(96);
  ASSERT_EQ(heights.size(), 18u);
  EXPECT_EQ(heights.front(), 8);
  EXPECT_EQ(heights[4], 13);  // 10 pt
  EXPECT_EQ(heights.back(), 96);
  struct Case {
    std::int32_t size;
    std::int32_t step;
    std::int32_t next;
  } const cases[] = {
      {12, +1, 14}, {12, -1, 11}, {72, +1, 72}, {6, -1, 6},   {6, +1, 7},   {10, +1, 11},
      {48, +1, 72}, {28, +1, 36}, {36, -1, 28}, {11, +1, 12}, {7, -1, 6},
      // Sizes the face lacks go to the nearest listed size in the step's direction.
      {13, +1, 14}, {13, -1, 12}, {15, +1, 16}, {15, -1, 14}, {50, -1, 48}, {50, +1, 72},
      {3, +1, 6},   {3, -1, 3},   {100, +1, 100}, {100, -1, 72},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextFontSize(heights, c.size, c.step, 96), c.next) << c.size << " " << c.step;
}

TEST(FontSizes, EveryListedSizeStepsToItsNeighbours) {
  const std::int32_t sizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
  for (const std::int32_t ppi : {96, 120, 72}) {
    const std::vector<std::int32_t> heights = ScalableFontHeights(ppi);
    for (std::size_t i = 0; i + 1 < std::size(sizes); ++i) {
      EXPECT_EQ(NextFontSize(heights, sizes[i], +1, ppi), sizes[i + 1]) << ppi << " " << sizes[i];
      EXPECT_EQ(NextFontSize(heights, sizes[i + 1], -1, ppi), sizes[i]) << ppi << " " << sizes[i + 1];
    }
  }
}

TEST(FontSizes, RasterFacesStepThroughTheirOwnHeights) {
  struct Case {
    std::vector<std::int32_t> heights;
    std::int32_t height;
    std::int32_t step;
    std::int32_t next;
  } const cases[] = {
      {{13, 16, 19}, 16, +1, 19}, {{13, 16, 19}, 16, -1, 13}, {{13, 16, 19}, 19, +1, 19},
      {{13, 16, 19}, 13, -1, 13}, {{19, 13, 16}, 13, +1, 16}, {{13, 16, 19}, 17, +1, 19},
      {{13, 16, 19}, 17, -1, 16}, {{13, 13, 16}, 13, +1, 16}, {{}, 13, +1, 13},
      {{13, 16, 19}, 13, +2, 19}, {{13, 16, 19}, 14, +2, 19}, {{13, 16, 19}, 18, -2, 13},
      {{13, 16, 19}, 16, 0, 16},
  };
  for (const auto& c : cases) EXPECT_EQ(StepFontHeight(c.heights, c.height, c.step), c.next) << c.height;
}

TEST(FontSizes, InstalledFacesStepOnTheScreen) {
  EXPECT_EQ(brw::GetFontHeights("Arial CE", 96), ScalableFontHeights(96));
  EXPECT_EQ(brw::GetFontHeights("No Such Face Anywhere", 96), std::vector<std::int32_t>());
  EXPECT_EQ(NextFontSize("Times New Roman", 12, +1), 14);
  EXPECT_EQ(NextFontSize("Times New Roman", 13, -1), 12);
  EXPECT_EQ(NextFontSize("No Such Face Anywhere", 12, +1), 12);
}
