#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "html/document/column_widths.h"

namespace html {

namespace {

using Widths = std::vector<int32_t>;

TColumnSizes Sizes(Widths min, Widths max, Widths percents) {
  TColumnSizes sizes(static_cast<int32_t>(min.size()));
  sizes.Min = std::move(min);
  sizes.Max = std::move(max);
  sizes.Percents = std::move(percents);
  return sizes;
}

int32_t Total(const Widths& widths) { return std::accumulate(widths.begin(), widths.end(), 0); }

TEST(ColumnWidths, SharesWithoutATableWidthTakeTheWidthTheWidestShareNeeds) {
  // 30% and 70% with maxima 60 and 70: 60 needs 200 pixels, 70 only 100.
  EXPECT_EQ(AutoColumnWidths(Sizes({10, 10}, {60, 70}, {300, 700}), 500), (Widths{60, 140}));
  // A share-less column gets the rest in proportion to its maximum.
  EXPECT_EQ(AutoColumnWidths(Sizes({10, 10, 10}, {50, 30, 10}, {250, 0, 0}), 1000), (Widths{50, 113, 38}));
  // Too little room: the shares are given as far as the width goes.
  const Widths narrow = AutoColumnWidths(Sizes({10, 10}, {60, 70}, {300, 700}), 100);
  EXPECT_EQ(narrow, (Widths{30, 70}));
  // Without shares the spare width goes by each column's range.
  EXPECT_EQ(AutoColumnWidths(Sizes({10, 20}, {110, 20}, {0, 0}), 80), (Widths{60, 20}));
  EXPECT_EQ(AutoColumnWidths(Sizes({10, 20}, {110, 20}, {0, 0}), 800), (Widths{110, 20}));
}

TEST(ColumnWidths, ShareRoundsEndWhenNoShareHoldsItsMinimum) {
  const Widths widths = AutoColumnWidths(Sizes({90, 90}, {100, 100}, {100, 100}), 150);
  EXPECT_EQ(widths, (Widths{90, 90}));
  for (const int32_t w : AutoColumnWidths(Sizes({0, 0, 0}, {0, 0, 0}, {500, 500, 0}), 30)) EXPECT_GE(w, 0);
}

TEST(ColumnWidths, FitColumnsStaysBetweenMinimaAndMaximaAndSpreadsAZeroMinimumEvenly) {
  struct Case {
    Widths min, max;
    int32_t width;
    bool force;
    Widths expected;
  } const cases[] = {
      {{10, 30}, {20, 60}, 30, false, {10, 30}},   // at most the minima
      {{10, 30}, {20, 60}, 200, false, {20, 60}},  // at least the maxima
      {{10, 30}, {20, 60}, 60, false, {15, 45}},   // between, by range
      {{10, 30}, {10, 30}, 80, true, {20, 60}},    // forced past equal maxima, by minimum
      {{0, 0, 0}, {0, 0, 0}, 90, true, {30, 30, 30}},
      {{0, 0}, {0, 0}, 91, true, {46, 45}},
  };
  for (const Case& c : cases) {
    const Widths widths = FitColumns(Sizes(c.min, c.max, Widths(c.min.size())), c.width, c.force);
    EXPECT_EQ(widths, c.expected) << c.width;
  }
}

TEST(ColumnWidths, PercentColumnWidthsFillTheTableWidth) {
  struct Case {
    Widths min, max, percents;
    int32_t width;
    Widths expected;
  } const cases[] = {
      // 25% of 400, the share-less column takes the rest.
      {{20, 20}, {50, 300}, {250, 0}, 400, {100, 300}},
      // Share-less columns without a spare range split the rest evenly.
      {{20, 20, 20}, {20, 20, 20}, {500, 0, 0}, 400, {200, 100, 100}},
      // Only share columns: room left goes by share.
      {{10, 10}, {10, 10}, {200, 200}, 400, {200, 200}},
      // A share that would fall below its minimum is held there.
      {{150, 10, 10}, {150, 300, 300}, {100, 450, 450}, 400, {150, 125, 125}},
      // Every share held at its minimum: the first column takes what is left, no -1.
      {{100, 100}, {100, 100}, {100, 100}, 300, {200, 100}},
  };
  for (const Case& c : cases) {
    const Widths widths = PercentColumnWidths(Sizes(c.min, c.max, c.percents), c.width);
    EXPECT_EQ(widths, c.expected) << c.width;
    EXPECT_EQ(Total(widths), c.width);
  }
}

TEST(ColumnWidths, PixelWidthsFixSingleColumnsAndSpansWidenInProportion) {
  const std::vector<TSpanCell> cells = {
      {0, 1, 24, 84, 4, 0, 0},    // measured 20..80 + 4
      {1, 1, 14, 34, 4, 50, 0},   // WIDTH=50: 54 fixed
      {0, 2, 120, 300, 4, 0, 0},  // spans both: minimum 120 > 24 + 54
  };
  const TColumnSizes sizes = ColumnMinMax(2, cells);
  // Minima 24 and 54 share the missing 42, maxima 84 and 54 the missing 162.
  EXPECT_EQ(sizes.Min, (Widths{37, 83}));
  EXPECT_EQ(sizes.Max, (Widths{183, 117}));
}

TEST(ColumnWidths, ASpanOverColumnsWithNothingYetIsSpreadEvenly) {
  const std::vector<TSpanCell> cells = {{0, 3, 100, 200, 4, 0, 0}, {3, 1, 10, 10, 4, 0, 0}};
  const TColumnSizes plain = ColumnMinMax(4, cells);
  EXPECT_EQ(plain.Min, (Widths{34, 33, 33, 10}));
  EXPECT_EQ(plain.Max, (Widths{67, 67, 66, 10}));
  const TColumnSizes percent = ColumnMinMaxPercent(4, cells, 0);
  EXPECT_EQ(percent.Min, plain.Min);
  EXPECT_EQ(percent.Max, plain.Max);
}

TEST(ColumnWidths, ASpanningShareIsSharedByTheColumnsWithout) {
  // One column at 20%, a cell of 60% over it and the next: the next gets 40%.
  const std::vector<TSpanCell> cells = {{0, 1, 10, 10, 4, 0, 200}, {0, 2, 100, 100, 4, 0, 600}};
  const TColumnSizes sizes = ColumnMinMaxPercent(2, cells, 0);
  EXPECT_EQ(sizes.Percents, (Widths{200, 400}));
  // The minimum the span misses goes by share once every column has one.
  EXPECT_EQ(sizes.Min, (Widths{33, 67}));
  // Pixel widths become shares of a table width.
  const std::vector<TSpanCell> pixels = {{0, 1, 10, 10, 4, 150, 0}, {1, 1, 10, 10, 4, 0, 0}};
  EXPECT_EQ(ColumnMinMaxPercent(2, pixels, 600).Percents, (Widths{250, 0}));
  EXPECT_EQ(ColumnMinMaxPercent(2, pixels, 0).Percents, (Widths{0, 0}));
}

}  // namespace

}  // namespace html
