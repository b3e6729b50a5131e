#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace html {

// Column width arithmetic of tables, on plain arrays so that every pass can
// be checked with chosen cell sizes. Shares are in tenths of a percent.
// Wherever a spread would divide by a zero sum it spreads evenly instead.

// One real cell as the width passes see it; Min and Max already include
// Extra, the padding and spacing around it.
struct TSpanCell {
  int32_t Col = 0;
  int32_t Span = 1;
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Extra = 0;
  int32_t PixelWidth = 0;  // WIDTH in pixels, 0 for none
  int32_t Share = 0;       // WIDTH in tenths of a percent, 0 for none
};

struct TColumnSizes {
  explicit TColumnSizes(int32_t columns = 0)
      : Min(static_cast<std::size_t>(columns)), Max(static_cast<std::size_t>(columns)), Percents(static_cast<std::size_t>(columns)) {}
  int32_t Count() const { return static_cast<int32_t>(Min.size()); }
  int32_t TotalMin() const;
  int32_t TotalMax() const;

  std::vector<int32_t> Min, Max, Percents;
};

// Per-column minima and maxima without shares: a pixel WIDTH fixes a
// single-column cell's size, spanning cells widen their columns in
// proportion. Spans are taken in increasing order.
TColumnSizes ColumnMinMax(int32_t columns, const std::vector<TSpanCell>& cells);
// The same with shares: tableWidth converts pixel widths to shares (0 for none).
TColumnSizes ColumnMinMaxPercent(int32_t columns, const std::vector<TSpanCell>& cells, int32_t tableWidth);

// Widths between minima and maxima for width (used with pixel-width cells
// and no table WIDTH); force stretches past the maxima to fill width.
std::vector<int32_t> FitColumns(const TColumnSizes& sizes, int32_t width, bool force);
// Widths for a table with a WIDTH: shares first, the rest by the spare range.
std::vector<int32_t> PercentColumnWidths(const TColumnSizes& sizes, int32_t width);
// Widths for a table without a WIDTH, from the percentage pass: shares
// decide how wide the table wants to be, never more than width.
std::vector<int32_t> AutoColumnWidths(TColumnSizes sizes, int32_t width);

}  // namespace html
