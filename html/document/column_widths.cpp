#include "html/document/column_widths.h"

#include <algorithm>
#include <numeric>

#include "platform/core/mul_div.h"

namespace html {

using win::MulDiv;

namespace {

int32_t Sum(const std::vector<int32_t>& values, int32_t from, int32_t count) {
  int64_t total = 0;
  for (int32_t i = from; i < from + count; ++i) total += values[static_cast<size_t>(i)];
  return static_cast<int32_t>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
}

// Adds amount to the columns in proportion to weights (their sum weightSum);
// evenly when the weights sum to 0. Weights may be values itself: each
// column's weight is read before its value changes.
void Spread(std::vector<int32_t>& values, const std::vector<size_t>& columns, const std::vector<int32_t>& weights,
            int32_t weightSum, int32_t amount) {
  if (columns.empty()) return;
  if (weightSum > 0) {
    for (size_t c : columns) values[c] += MulDiv(weights[c], amount, weightSum);
    return;
  }
  const int32_t n = static_cast<int32_t>(columns.size());
  for (size_t i = 0; i < columns.size(); ++i)
    values[columns[i]] += amount / n + (static_cast<int32_t>(i) < amount % n ? 1 : 0);
}

std::vector<size_t> Range(int32_t from, int32_t count) {
  std::vector<size_t> columns(static_cast<size_t>(count));
  std::iota(columns.begin(), columns.end(), static_cast<size_t>(from));
  return columns;
}

// The cells in increasing span, in their order within a span.
std::vector<const TSpanCell*> BySpan(const std::vector<TSpanCell>& cells) {
  std::vector<const TSpanCell*> sorted;
  sorted.reserve(cells.size());
  for (const TSpanCell& cell : cells) sorted.push_back(&cell);
  std::stable_sort(sorted.begin(), sorted.end(), [](const TSpanCell* a, const TSpanCell* b) { return a->Span < b->Span; });
  return sorted;
}

// Grows the spanned columns so that their sums reach the cell's sizes.
void WidenSpanned(TColumnSizes& sizes, const TSpanCell& cell, int32_t min, int32_t max) {
  const auto columns = Range(cell.Col, cell.Span);
  const int32_t m = Sum(sizes.Min, cell.Col, cell.Span);
  const int32_t bigM = Sum(sizes.Max, cell.Col, cell.Span);
  if (m < min) Spread(sizes.Min, columns, sizes.Min, m, min - m);
  if (bigM < max) Spread(sizes.Max, columns, sizes.Max, bigM, max - bigM);
}

void Raise(int32_t& value, int32_t to) { value = std::max(value, to); }

}  // namespace

int32_t TColumnSizes::TotalMin() const { return Sum(Min, 0, Count()); }
int32_t TColumnSizes::TotalMax() const { return Sum(Max, 0, Count()); }

TColumnSizes ColumnMinMax(int32_t columns, const std::vector<TSpanCell>& cells) {
  TColumnSizes sizes(columns);
  for (const TSpanCell* sorted : BySpan(cells)) {
    const TSpanCell& cell = *sorted;
    const int32_t span = cell.Span;
    if (span < 1 || cell.Col + span > columns) continue;
    int32_t min = cell.Min, max = cell.Max;
    if (span == 1) {
      if (cell.PixelWidth > 0) {
        // The measured maximum gives way to the pixel width.
        min = std::max(min, cell.PixelWidth + cell.Extra);
        max = min;
      }
      Raise(sizes.Min[static_cast<size_t>(cell.Col)], min);
      Raise(sizes.Max[static_cast<size_t>(cell.Col)], max);
    } else {
      WidenSpanned(sizes, cell, min, max);
    }
  }
  return sizes;
}

TColumnSizes ColumnMinMaxPercent(int32_t columns, const std::vector<TSpanCell>& cells, int32_t tableWidth) {
  TColumnSizes sizes(columns);
  for (const TSpanCell* sorted : BySpan(cells)) {
    const TSpanCell& cell = *sorted;
    const int32_t span = cell.Span;
    if (span < 1 || cell.Col + span > columns) continue;
    int32_t p = cell.Share;
    if (p == 0 && cell.PixelWidth > 0 && tableWidth > 0) p = std::min(1000, MulDiv(cell.PixelWidth, 1000, tableWidth));
    const auto col = static_cast<size_t>(cell.Col);
    if (span == 1) {
      Raise(sizes.Min[col], cell.Min);
      Raise(sizes.Max[col], cell.Max);
      Raise(sizes.Percents[col], p);
      continue;
    }
    const auto spanned = Range(cell.Col, span);
    const int32_t m = Sum(sizes.Min, cell.Col, span);
    const int32_t bigM = Sum(sizes.Max, cell.Col, span);
    const int32_t bigP = Sum(sizes.Percents, cell.Col, span);
    const int32_t dm = cell.Min - m, dM = cell.Max - bigM;
    if (p <= 0 && bigP <= 0) {
      if (dm > 0) Spread(sizes.Min, spanned, sizes.Min, m, dm);
      if (dM > 0) Spread(sizes.Max, spanned, sizes.Max, bigM, dM);
      continue;
    }
    auto shareless = [&] {
      std::vector<size_t> out;
      for (size_t c : spanned)
        if (sizes.Percents[c] == 0) out.push_back(c);
      return out;
    };
    const int32_t k = static_cast<int32_t>(shareless().size());
    if (k == 0 && bigP < p) {
      for (size_t c : spanned) sizes.Percents[c] = MulDiv(sizes.Percents[c], p, bigP);
    } else if (k > 0) {
      const int32_t t = std::max(0, (p - bigP) / k);
      if (t > 0)
        for (size_t c : shareless()) sizes.Percents[c] = t;
    }
    const int32_t q = std::max(Sum(sizes.Percents, cell.Col, span), 1);
    const auto still = shareless();
    if (dm > 0) {
      if (still.empty()) {
        for (size_t c : spanned) Raise(sizes.Min[c], MulDiv(cell.Min, sizes.Percents[c], q));
      } else {
        int32_t maxima = 0;
        for (size_t c : still) maxima += sizes.Max[c];
        Spread(sizes.Min, still, sizes.Max, maxima, dm);
      }
    }
    if (dM > 0) {
      if (still.empty()) {
        for (size_t c : spanned) Raise(sizes.Max[c], MulDiv(cell.Max, sizes.Percents[c], q));
      } else {
        Spread(sizes.Max, still, {}, 0, dM);
      }
    }
    for (size_t c : spanned) Raise(sizes.Max[c], sizes.Min[c]);
  }
  return sizes;
}

std::vector<int32_t> FitColumns(const TColumnSizes& sizes, int32_t width, bool force) {
  const int32_t tMin = sizes.TotalMin(), tMax = sizes.TotalMax();
  if (tMin >= width) return sizes.Min;
  if (width >= tMax && !force) return sizes.Max;
  std::vector<int32_t> widths(sizes.Min);
  const auto all = Range(0, sizes.Count());
  if (tMax - tMin <= 0)
    Spread(widths, all, sizes.Min, tMin, width - tMin);
  else
    for (size_t c = 0; c < widths.size(); ++c)
      widths[c] += MulDiv(sizes.Max[c] - sizes.Min[c], width - tMin, tMax - tMin);
  return widths;
}

std::vector<int32_t> PercentColumnWidths(const TColumnSizes& sizes, int32_t width) {
  const size_t n = sizes.Min.size();
  std::vector<int32_t> widths(n);
  std::vector<bool> held(n, false), active(n, false);
  std::vector<size_t> shareless;
  int32_t spareRange = 0, shareSum = 0;
  for (size_t c = 0; c < n; ++c) {
    if (sizes.Percents[c] == 0) {
      widths[c] = sizes.Min[c];
      shareless.push_back(c);
      spareRange += sizes.Max[c] - sizes.Min[c];
      continue;
    }
    const int32_t claim = MulDiv(width, sizes.Percents[c], 1000);
    if (claim > sizes.Min[c]) {
      widths[c] = claim;
      active[c] = true;
      shareSum += sizes.Percents[c];
    } else {
      widths[c] = sizes.Min[c];
      held[c] = true;
    }
  }
  std::vector<size_t> activeColumns;
  auto collectActive = [&] {
    activeColumns.clear();
    for (size_t c = 0; c < n; ++c)
      if (active[c]) activeColumns.push_back(c);
  };
  collectActive();
  int32_t r = Sum(widths, 0, static_cast<int32_t>(n)) - width;
  if (r < 0) {
    if (shareless.empty())
      Spread(widths, activeColumns, sizes.Percents, shareSum, -r);
    else if (spareRange <= 0)
      Spread(widths, shareless, {}, 0, -r);
    else {
      std::vector<int32_t> range(n);
      for (size_t c : shareless) range[c] = sizes.Max[c] - sizes.Min[c];
      Spread(widths, shareless, range, spareRange, -r);
    }
  } else if (r > 0) {
    for (int round = 0; round < 4 && shareSum > 0; ++round) {
      bool anyHeld = false;
      for (size_t c : activeColumns) {
        const int32_t loss = MulDiv(r, sizes.Percents[c], shareSum);
        if (widths[c] - loss < sizes.Min[c]) {
          r -= widths[c] - sizes.Min[c];
          widths[c] = sizes.Min[c];
          active[c] = false;
          held[c] = true;
          anyHeld = true;
        }
      }
      if (!anyHeld) break;
      shareSum = 0;
      collectActive();
      for (size_t c : activeColumns) shareSum += sizes.Percents[c];
    }
    if (shareSum > 0 && r > 0)
      for (size_t c : activeColumns) widths[c] -= MulDiv(r, sizes.Percents[c], shareSum);
  }
  if (n == 0) return widths;
  const int32_t total = Sum(widths, 0, static_cast<int32_t>(n));
  if (total <= width) {
    widths[0] += width - total;
  } else {
    for (size_t c = 0; c < n; ++c)
      if (!held[c]) {
        widths[c] = std::max(0, widths[c] - (total - width));
        break;
      }
  }
  return widths;
}

std::vector<int32_t> AutoColumnWidths(TColumnSizes sizes, int32_t width) {
  const size_t n = sizes.Min.size();
  if (sizes.TotalMin() >= width) return sizes.Min;
  const int32_t shares = Sum(sizes.Percents, 0, static_cast<int32_t>(n));
  if (shares > 0 && shares <= 1000) {
    int32_t needed = 0, shareless = 0;
    for (size_t c = 0; c < n; ++c) {
      if (sizes.Percents[c] > 0)
        needed = std::max(needed, MulDiv(sizes.Max[c], 1000, sizes.Percents[c]));
      else
        shareless += sizes.Max[c];
    }
    const int32_t need = shares > 999 ? (shareless < 1 ? 0 : 30000) : MulDiv(shareless, 1000, 1000 - shares);
    const int32_t t = std::max(needed, need);
    if (width >= t) {
      std::vector<int32_t> widths(n);
      const int32_t rest = MulDiv(t, 1000 - shares, 1000);
      for (size_t c = 0; c < n; ++c)
        widths[c] = sizes.Percents[c] > 0 ? MulDiv(t, sizes.Percents[c], 1000)
                                          : (shareless < 1 ? 0 : MulDiv(sizes.Max[c], rest, shareless));
      return widths;
    }
    // Each round drops the shares that cannot hold their minimum and scales
    // the others down until the claims fit; shares only shrink, so it ends.
    for (int round = 0; round < 1000; ++round) {
      bool anyShare = false;
      int32_t claims = 0, sharelessMin = 0;
      for (size_t c = 0; c < n; ++c) {
        if (sizes.Percents[c] > 0 && MulDiv(width, sizes.Percents[c], 1000) - 1 < sizes.Min[c]) sizes.Percents[c] = 0;
        if (sizes.Percents[c] > 0) {
          anyShare = true;
          claims += MulDiv(width, sizes.Percents[c], 1000);
        } else {
          sharelessMin += sizes.Min[c];
        }
      }
      if (!anyShare) break;
      if (claims + sharelessMin > width) {
        const int32_t room = width - sharelessMin;
        for (size_t c = 0; c < n; ++c)
          if (sizes.Percents[c] > 0)
            sizes.Percents[c] = room <= 0 ? 0
                                          : static_cast<int32_t>(int64_t{sizes.Percents[c]} * room / claims);
        continue;
      }
      for (size_t c = 0; c < n; ++c)
        if (sizes.Percents[c] > 0) sizes.Min[c] = sizes.Max[c] = MulDiv(width, sizes.Percents[c], 1000);
      break;
    }
  }
  const int32_t tMin = sizes.TotalMin(), tMax = sizes.TotalMax();
  if (tMin >= width) return sizes.Min;
  std::vector<int32_t> widths(sizes.Max);
  if (width < tMax && tMax != tMin)
    for (size_t c = 0; c < n; ++c)
      widths[c] = sizes.Min[c] + MulDiv(sizes.Max[c] - sizes.Min[c], width - tMin, tMax - tMin);
  return widths;
}

}  // namespace html
