#include "html/document/table.h"

#include <algorithm>
#include <string>

#include "html/document/colors.h"
#include "html/document/frame_drawing.h"
#include "html/document/indent_manager.h"
#include "html/document/section_list.h"
#include "platform/core/ansi_case.h"
#include "platform/core/mul_div.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/region.h"

namespace html {

using win::MulDiv;

namespace {

int32_t Pixels(int32_t value) { return std::clamp(value, 0, ThtmlTable::MaxPixels); }

std::optional<cl::TColor> DocumentColour(const std::string& text) {
  std::string value = text;
  if (const auto colour = ColorFromString(value)) return *colour | cl::PaletteRelative;
  return std::nullopt;
}

// Lines are drawn pixel by pixel, so a frame reaching far beyond the clip
// (the border of a long table, a tall spanning cell) is cut to it first.
void ClippedBorder3D(const TBorderDocument& document, cl::TCanvas& canvas, const cl::TRect& clip, int32_t x1,
                     int32_t y1, int32_t x2, int32_t y2, bool raised) {
  if (x1 >= clip.Left - 1 && y1 >= clip.Top - 1 && x2 <= clip.Right + 1 && y2 <= clip.Bottom + 1) {
    DrawBorder3D(document, canvas, x1, y1, x2, y2, raised);
    return;
  }
  if (x2 < clip.Left || y2 < clip.Top || x1 > clip.Right || y1 > clip.Bottom) return;
  const int saved = canvas.SaveDC();
  canvas.IntersectClipRect(clip.Left, clip.Top, clip.Right, clip.Bottom);
  DrawBorder3D(document, canvas, std::max(x1, clip.Left - 1), std::max(y1, clip.Top - 1),
               std::min(x2, clip.Right + 1), std::min(y2, clip.Bottom + 1), raised);
  canvas.RestoreDC(saved);
}

}  // namespace

TCellList::TCellList(TSectionList* master, const TCellList& source) {
  Cells.reserve(source.Cells.size());
  for (const auto& cell : source.Cells)
    Cells.push_back(cell ? std::make_unique<TCellObj>(master, *cell) : nullptr);
}

void TCellList::ReadAttributes(const TAttributeList& attributes) {
  for (const auto& a : attributes)
    if (a->Code == BGColorSy)
      if (const auto colour = DocumentColour(a->StrValue)) {
        RowHasBackground = true;
        RowColor = *colour;
      }
}

ThtmlTable::ThtmlTable(TSectionList* document, int32_t listLevel, TCell* ownerCell, Justification defaultAlign,
                       const TAttributeList& attributes)
    : Caption(std::make_unique<TCellObj>(document, TAttributeList(), 0)),
      Align(defaultAlign),
      ListLevel(listLevel),
      OwnerCell(ownerCell) {
  Document = document;
  for (const auto& a : attributes) {
    switch (a->Code) {
      case AlignSy: {
        const std::string align = cl::AnsiUpperCase(a->StrValue);
        if (align == "CENTER") {
          Align = Justification::Center;
        } else if (align == "LEFT") {
          Align = Justification::Left;
          Float = true;
        } else if (align == "RIGHT") {
          Align = Justification::Right;
          Float = true;
        }
        break;
      }
      case BGColorSy:
        if (const auto colour = DocumentColour(a->StrValue)) {
          HasBackground = true;
          BackgroundColor = *colour;
        }
        break;
      case BorderSy: Border = a->IntValue > 0; break;
      case CellPaddingSy:
        if (a->IntValue >= 0) CellPadding = std::min(a->IntValue, 50);
        break;
      case CellSpacingSy:
        if (a->IntValue >= 0) CellSpacing = std::min(a->IntValue, 40);
        break;
      case WidthSy:
        if (a->StrValue.find('%') == std::string::npos) {
          TableWidthAttr = Pixels(a->IntValue);
        } else {
          TableWidthIsPercent = true;
          if (a->IntValue >= 1 && a->IntValue <= 100) TableWidthAttr = a->IntValue * 10;
        }
        break;
      case BorderColorSy:
        if (const auto colour = DocumentColour(a->StrValue)) {
          HasBorderColor = true;
          BorderColor = *colour;
        }
        break;
      case HSpaceSy: HSpace = std::min(20, a->IntValue == INT32_MIN ? 20 : std::abs(a->IntValue)); break;
      default: break;
    }
  }
  if (Border) CellSpacing += 2;
}

ThtmlTable::ThtmlTable(TSectionList* master, const ThtmlTable& source)
    : TSectionBase(master, source),
      Caption(std::make_unique<TCellObj>(master, *source.Caption)),
      GridBuilt(source.GridBuilt),
      Border(source.Border),
      CaptionOnTop(source.CaptionOnTop),
      GridOffset(source.GridOffset),
      TableIndent(source.TableIndent),
      Align(source.Align),
      Float(source.Float),
      NumCols(source.NumCols),
      GridWidth(source.GridWidth),
      TotalWidth(source.TotalWidth),
      TableWidthAttr(source.TableWidthAttr),
      TableWidthIsPercent(source.TableWidthIsPercent),
      HasPixelCells(source.HasPixelCells),
      CaptionHeight(source.CaptionHeight),
      GridHeight(source.GridHeight),
      CellPadding(source.CellPadding),
      CellSpacing(source.CellSpacing),
      CaptionMinWidth(source.CaptionMinWidth),
      Widths(source.Widths),
      Percents(source.Percents),
      HSpace(source.HSpace),
      ListLevel(source.ListLevel),
      DrawX(source.DrawX),
      DrawY(source.DrawY),
      BackgroundColor(source.BackgroundColor),
      BorderColor(source.BorderColor),
      OwnerCell(source.OwnerCell) {
  Rows.reserve(source.Rows.size());
  for (const auto& row : source.Rows) Rows.push_back(std::make_unique<TCellList>(master, *row));
}

ThtmlTable::~ThtmlTable() = default;

std::unique_ptr<TSectionBase> ThtmlTable::Clone(TSectionList* master) const {
  return std::make_unique<ThtmlTable>(master, *this);
}

template <typename F>
void ThtmlTable::ForEachCell(F&& f) const {
  for (size_t r = 0; r < Rows.size(); ++r) {
    int32_t col = 0;
    for (const auto& cell : Rows[r]->Cells) {
      if (cell) f(*cell, static_cast<int32_t>(r), col);
      ++col;
    }
  }
}

void ThtmlTable::BuildGrid() {
  const bool printing = Document && Document->IsPrintCopy;
  if (!printing && !HasBackground && OwnerCell && OwnerCell->HasBackground) {
    HasBackground = true;
    BackgroundColor = OwnerCell->CellColor;
  }
  if (GridBuilt) return;
  // Row by row, each real cell takes the first column not covered by a row
  // span from above; the places its spans cover become placeholders. Work
  // and memory follow the number of places, which MaxGridPlaces bounds.
  struct Covered {
    int32_t FirstCol, EndCol, EndRow;
  };
  std::vector<Covered> covered;  // by FirstCol
  const int32_t rows = static_cast<int32_t>(Rows.size());
  int64_t places = 0;
  NumCols = 0;
  for (int32_t r = 0; r < rows; ++r) {
    TCellList& row = *Rows[static_cast<size_t>(r)];
    std::erase_if(covered, [r](const Covered& c) { return c.EndRow <= r; });
    std::vector<std::unique_ptr<TCellObj>> cells;
    std::vector<Covered> added;
    size_t next = 0;
    int32_t col = 0;
    auto skipCovered = [&] {
      while (next < covered.size()) {
        const Covered& c = covered[next];
        if (c.EndCol <= col) {
          ++next;
        } else if (c.FirstCol <= col) {
          while (col < c.EndCol) cells.push_back(nullptr), ++col;
          ++next;
        } else {
          break;
        }
      }
    };
    for (auto& cell : row.Cells) {
      if (!cell) continue;
      if (row.RowHasBackground && !cell->Cell->HasBackground) {
        cell->Cell->HasBackground = true;
        cell->Cell->CellColor = row.RowColor;
      }
      if (cell->WidthAttr > 0 && !cell->WidthIsPercent) HasPixelCells = true;
      if (HasBackground && !cell->Cell->HasBackground) {
        cell->Cell->HasBackground = true;
        cell->Cell->CellColor = BackgroundColor;
      }
      cell->WidthAttr = Pixels(cell->WidthAttr);
      cell->HeightAttr = Pixels(cell->HeightAttr);
      skipCovered();
      int32_t colSpan = std::clamp(cell->ColSpan, 1, std::max(1, std::min(MaxSpan, MaxColumns - col)));
      int32_t rowSpan = std::clamp(cell->RowSpan, 1, std::min(MaxSpan, rows - r));
      if (places + int64_t{colSpan} * rowSpan > MaxGridPlaces) colSpan = rowSpan = 1;
      places += int64_t{colSpan} * rowSpan;
      cell->ColSpan = colSpan;
      cell->RowSpan = rowSpan;
      if (rowSpan > 1) added.push_back({col, col + colSpan, r + rowSpan});
      cells.push_back(std::move(cell));
      for (int32_t i = 1; i < colSpan; ++i) cells.push_back(nullptr);
      col += colSpan;
    }
    // Columns covered from above beyond the last cell still count in this row.
    int32_t end = col;
    for (size_t i = next; i < covered.size(); ++i) end = std::max(end, covered[i].EndCol);
    while (col < end) cells.push_back(nullptr), ++col;
    row.Cells = std::move(cells);
    NumCols = std::max(NumCols, row.Count());
    if (!added.empty()) {
      covered.insert(covered.end(), added.begin(), added.end());
      std::stable_sort(covered.begin(), covered.end(),
                       [](const Covered& a, const Covered& b) { return a.FirstCol < b.FirstCol; });
    }
  }
  Widths.assign(static_cast<size_t>(NumCols), 0);
  Percents.assign(static_cast<size_t>(NumCols), 0);
  GridBuilt = true;
}

void ThtmlTable::LinkNested() {
  // The cells' sections are settled once the document is parsed: one visit
  // is enough, and later passes need not walk every cell again.
  if (nestedLinked_) return;
  nestedLinked_ = true;
  auto link = [this](const TCellObj& cell) {
    for (const auto& section : *cell.Cell)
      if (auto* table = dynamic_cast<ThtmlTable*>(section.get())) {
        table->outer_ = this;
        table->nesting_ = nesting_ + 1;
      }
  };
  link(*Caption);
  ForEachCell([&](const TCellObj& cell, int32_t, int32_t) { link(cell); });
}

void ThtmlTable::EnterPass() {
  if (outer_)
    pass_ = outer_->pass_;
  else
    ++pass_;
}

const std::vector<TSpanCell>& ThtmlTable::MeasureCells(cl::TCanvas& canvas) {
  if (measuredPass_ == pass_ && pass_ != 0) return measuredCells_;
  measuredCells_.clear();
  const int32_t e = 2 * CellPadding + CellSpacing;
  ForEachCell([&](TCellObj& cell, int32_t, int32_t col) {
    TSpanCell measured;
    measured.Col = col;
    measured.Span = std::min(cell.ColSpan, NumCols - col);
    const TWidths widths = cell.Cell->MeasureWidths(canvas);
    measured.Min = widths.Min;
    measured.Max = widths.Max;
    measured.Min += e;
    measured.Max += e;
    measured.Extra = e;
    if (cell.WidthAttr > 0) (cell.WidthIsPercent ? measured.Share : measured.PixelWidth) = cell.WidthAttr;
    measuredCells_.push_back(measured);
  });
  measuredPass_ = pass_;
  return measuredCells_;
}

TWidths ThtmlTable::MeasureWidths(cl::TCanvas& canvas) {
  EnterPass();
  if (TooDeep()) return {};
  BuildGrid();
  LinkNested();
  const auto& cells = MeasureCells(canvas);
  const bool pixelWidth = TableWidthAttr > 0 && !TableWidthIsPercent;
  TColumnSizes sizes;
  if (!HasPixelCells || TableWidthAttr > 0)
    sizes = ColumnMinMaxPercent(NumCols, cells, pixelWidth ? TableWidthAttr : 0);
  else
    sizes = ColumnMinMax(NumCols, cells);
  int32_t min = sizes.TotalMin() + CellSpacing;
  int32_t max = sizes.TotalMax() + CellSpacing;
  if (pixelWidth) {
    min = std::max(min, TableWidthAttr);
    max = std::max(max, TableWidthAttr);
  }
  CaptionMinWidth = Caption->Cell->MeasureWidths(canvas).Min;
  return {std::max(CaptionMinWidth, min), std::max(CaptionMinWidth, max)};
}

void ThtmlTable::ComputeWidths(cl::TCanvas& canvas, int32_t w) {
  const auto& cells = MeasureCells(canvas);
  if (!HasPixelCells || TableWidthAttr > 0) {
    const TColumnSizes sizes = ColumnMinMaxPercent(NumCols, cells, w);
    Percents = sizes.Percents;
    if (sizes.TotalMin() >= w)
      Widths = sizes.Min;
    else if (TableWidthAttr > 0)
      Widths = PercentColumnWidths(sizes, w);
    else
      Widths = AutoColumnWidths(sizes, w);
  } else {
    Widths = FitColumns(ColumnMinMax(NumCols, cells), w, false);
  }
  for (int32_t& width : Widths) width = std::max(width, 0);
}

void ThtmlTable::PrepareCaches() {
  // The grid does not change once built.
  if (rowFirst_.size() == Rows.size() + 1) return;
  rowFirst_.assign(Rows.size() + 1, 0);
  for (size_t r = 0; r < Rows.size(); ++r) {
    size_t real = 0;
    for (const auto& cell : Rows[r]->Cells) real += cell ? 1 : 0;
    rowFirst_[r + 1] = rowFirst_[r] + real;
  }
  caches_.resize(rowFirst_.back());
}

int32_t ThtmlTable::CellHeight(cl::TCanvas& canvas, TCellObj& cell, CellCache& cache, int32_t x, int32_t width) {
  if (cache.Pass == pass_ && cache.Width == width) return cache.Height;
  // Laid out where it will most likely stay, so that placing it may keep this layout.
  return LayoutCell(canvas, cell, cache, x, cache.Y, cache.Curs, width).Height;
}

ThtmlTable::LaidCell ThtmlTable::LayoutCell(cl::TCanvas& canvas, TCellObj& cell, CellCache& cache, int32_t x,
                                            int32_t y, int32_t curs, int32_t width) {
  if (cache.Pass == pass_ && cache.Width == width && cache.Placed && cache.X == x && cache.Y == y &&
      cache.Curs == curs)
    return {cache.Height, curs + cache.PosCount};
  cell.Cell->Indents->OriginX = x;
  const TLayoutResult laid = cell.Cell->Layout(canvas, y, curs, width);
  cache.Height = laid.Height;
  cache.Pass = pass_;
  cache.Width = width;
  cache.Placed = true;
  cache.X = x;
  cache.Y = y;
  cache.Curs = curs;
  cache.PosCount = laid.NextCurs - curs;
  return {cache.Height, laid.NextCurs};
}

TLayoutResult ThtmlTable::Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) {
  PlacedY = y;
  FirstPos = curs;
  EnterPass();
  indents.SetListLevel(y, ListLevel);
  const int32_t available = indents.RightAt(y) - indents.LeftAt(y);
  if (TooDeep()) {
    FlowHeight = PaintHeight = PosCount = 0;
    return {0, 0, curs};
  }
  int32_t a = available;
  if (TableWidthAttr >= 1) a = TableWidthIsPercent ? MulDiv(available, TableWidthAttr, 1000) : TableWidthAttr;
  const int32_t w = std::max(a - CellSpacing, 20);

  BuildGrid();
  LinkNested();
  ComputeWidths(canvas, w);
  int64_t gridWidth = CellSpacing;
  for (const int32_t width : Widths) gridWidth += width;
  GridWidth = static_cast<int32_t>(std::min<int64_t>(gridWidth, INT32_MAX));
  CaptionMinWidth = Caption->Cell->MeasureWidths(canvas).Min;
  TotalWidth = std::max(GridWidth, CaptionMinWidth);

  // Placed before the cells are laid out, so that they know their X.
  TableIndent = 0;
  if (TotalWidth < available) {
    if (Align == Justification::Center)
      TableIndent = (available - TotalWidth) / 2;
    else if (Align == Justification::Right)
      TableIndent = available - TotalWidth;
  }
  TableIndent += indents.LeftAt(PlacedY);
  GridOffset = (TotalWidth - GridWidth) / 2 + TableIndent;
  DrawX = indents.OriginX + GridOffset;
  DrawY = PlacedY;
  const int32_t captionX = indents.OriginX + TableIndent;

  // The caption first: its positions come before the cells' when it is on top.
  int32_t rowsTop = y;
  CaptionHeight = 0;
  if (CaptionOnTop) {
    const LaidCell caption = LayoutCell(canvas, *Caption, captionCache_, captionX, y, curs, TotalWidth);
    CaptionHeight = caption.Height;
    curs = caption.NextCurs;
    rowsTop += CaptionHeight;
  }
  curs = LayoutRows(canvas, DrawX, rowsTop, curs);
  FlowHeight = CaptionHeight + GridHeight;
  if (!CaptionOnTop) {
    const LaidCell caption =
        LayoutCell(canvas, *Caption, captionCache_, captionX, PlacedY + GridHeight, curs, TotalWidth);
    FlowHeight += caption.Height;
    curs = caption.NextCurs;
  }

  PosCount = curs - FirstPos;
  if (Float) {
    indents.AddFloat(PlacedY, TotalWidth + HSpace + 1, static_cast<int32_t>(Align), FlowHeight);
    PaintHeight = FlowHeight;
    FlowHeight = 0;
    return {0, TotalWidth, curs};
  }
  PaintHeight = FlowHeight;
  return {FlowHeight, TotalWidth, curs};
}

int32_t ThtmlTable::LayoutRows(cl::TCanvas& canvas, int32_t x, int32_t top, int32_t curs) {
  const int32_t rows = static_cast<int32_t>(Rows.size());
  const int32_t pad2 = 2 * CellPadding;
  PrepareCaches();
  std::vector<int32_t> starts(static_cast<size_t>(NumCols) + 1, 0);
  for (size_t c = 0; c < static_cast<size_t>(NumCols); ++c) starts[c + 1] = starts[c] + Widths[c];
  // The cells spanning rows, by span and then by row: each span's pass
  // visits only its own cells.
  struct Spanning {
    int32_t Span, Row;
    size_t Col, Index;
    TCellObj* Cell;
  };
  std::vector<Spanning> spanning;
  for (size_t r = 0, index = 0; r < Rows.size(); ++r)
    for (const auto& cell : Rows[r]->Cells) {
      if (!cell) continue;
      const size_t col = static_cast<size_t>(&cell - Rows[r]->Cells.data());
      const size_t last = std::min(col + static_cast<size_t>(std::max(cell->ColSpan, 1)), static_cast<size_t>(NumCols));
      cell->SpanWidth = starts[last] - starts[std::min(col, last)];
      if (cell->RowSpan > 1) spanning.push_back({cell->RowSpan, static_cast<int32_t>(r), col, index, cell.get()});
      ++index;
    }
  std::stable_sort(spanning.begin(), spanning.end(),
                   [](const Spanning& a, const Spanning& b) { return a.Span < b.Span; });
  auto contentWidth = [&](const TCellObj& cell) { return std::max(0, cell.SpanWidth - pad2 - CellSpacing); };
  auto contentX = [&](size_t column) {
    return x + starts[std::min(column, starts.size() - 1)] + CellSpacing + CellPadding;
  };

  // Single rows first, each cell laid out where it is expected to end up.
  std::vector<int32_t> heights(static_cast<size_t>(rows), 0);
  int32_t expectedTop = top;
  int32_t expectedCurs = curs;
  for (size_t k = 0; k < Rows.size(); ++k) {
    int32_t value = 0;
    size_t index = rowFirst_[k];
    const auto& cells = Rows[k]->Cells;
    for (size_t c = 0; c < cells.size(); ++c) {
      TCellObj* cell = cells[c].get();
      if (!cell) continue;
      CellCache& cache = caches_[index++];
      if (cell->RowSpan != 1) continue;
      if (cache.Pass != pass_) {
        cache.Y = expectedTop + CellPadding + CellSpacing;
        cache.Curs = expectedCurs;
      }
      cell->ContentHeight = CellHeight(canvas, *cell, cache, contentX(c), contentWidth(*cell));
      expectedCurs += cache.PosCount;
      value = std::max({value, cell->ContentHeight, cell->HeightAttr - pad2});
    }
    heights[k] = value + pad2 + CellSpacing;
    expectedTop += heights[k];
  }
  // Then each span present, over the rows where such cells start.
  for (size_t g = 0; g < spanning.size();) {
    const int32_t s = spanning[g].Span, k = spanning[g].Row;
    int32_t value = 0;
    for (; g < spanning.size() && spanning[g].Span == s && spanning[g].Row == k; ++g) {
      TCellObj& cell = *spanning[g].Cell;
      cell.ContentHeight =
          CellHeight(canvas, cell, caches_[spanning[g].Index], contentX(spanning[g].Col), contentWidth(cell));
      value = std::max({value, cell.ContentHeight, cell.HeightAttr - pad2});
    }
    if (k + s > rows) continue;
    const int32_t h = value + pad2 + CellSpacing;
    int64_t sum = 0;
    for (int32_t i = k; i < k + s; ++i) sum += heights[static_cast<size_t>(i)];
    if (sum < h) {
      const int32_t grow = static_cast<int32_t>((h - sum) / s);
      for (int32_t i = k; i < k + s; ++i) heights[static_cast<size_t>(i)] += grow;
      heights[static_cast<size_t>(k + s - 1)] += static_cast<int32_t>(h - sum) - grow * s;
    }
  }

  std::vector<int64_t> rowTops(static_cast<size_t>(rows) + 1, 0);
  for (size_t k = 0; k < Rows.size(); ++k) rowTops[k + 1] = rowTops[k] + heights[k];
  int32_t y = top;
  for (size_t k = 0; k < Rows.size(); ++k) {
    TCellList& row = *Rows[k];
    row.RowHeight = heights[k];
    row.RowDrawHeight = 0;
    size_t index = rowFirst_[k];
    for (size_t c = 0; c < row.Cells.size(); ++c) {
      TCellObj* cell = row.Cells[c].get();
      if (!cell) continue;
      const size_t last = std::min(k + static_cast<size_t>(std::max(cell->RowSpan, 1)), Rows.size());
      cell->SpanHeight = static_cast<int32_t>(rowTops[last] - rowTops[k]);
      row.RowDrawHeight = std::max(row.RowDrawHeight, cell->SpanHeight);
      const int32_t spare = cell->SpanHeight - cell->ContentHeight - CellSpacing - pad2;
      cell->ContentOffset = cell->VAlign == 1 ? spare / 2 : cell->VAlign == 2 ? spare : 0;
      curs = LayoutCell(canvas, *cell, caches_[index++], contentX(c),
                        y + CellPadding + CellSpacing + cell->ContentOffset, curs, contentWidth(*cell))
                 .NextCurs;
    }
    y += row.RowHeight;
  }
  GridHeight = y - top + CellSpacing;
  return curs;
}

int32_t ThtmlTable::Draw(cl::TCanvas& canvas, const cl::TRect& clip, IndentManager&, int32_t x, int32_t y) {
  PlacedY = y;
  const int32_t result = y + FlowHeight;
  if (TooDeep() || !Document) return result;
  const int32_t scroll = Document->ScrollY;
  const bool printing = Document->IsPrintCopy;
  const int32_t screenTop = y - scroll;
  if (printing && screenTop >= clip.Top + clip.Height() / 2 && screenTop + PaintHeight > Document->PageLimitY &&
      PaintHeight < clip.Height()) {
    Document->PageLimitY = std::min(Document->PageLimitY, screenTop);
    return result;
  }
  if (screenTop + PaintHeight < clip.Top || screenTop >= clip.Bottom) return result;
  if (printing && screenTop >= Document->PageLimitY) return result;

  DrawX = x + GridOffset;
  DrawY = y;
  if (CaptionOnTop) Caption->Cell->Draw(canvas, clip, x + TableIndent, y, TotalWidth);
  const int32_t gridTop = y + (CaptionOnTop ? CaptionHeight : 0);
  const int32_t rowsBottom = gridTop + GridHeight - CellSpacing;
  const TBorderDocument borderDocument{printing, Document->BackgroundColor};

  std::optional<win::Region> spacing;
  if (HasBorderColor)
    spacing = win::CreateRectRgn(DrawX, std::max(gridTop - scroll, clip.Top - 1), DrawX + GridWidth,
                                 std::min(gridTop + GridHeight - scroll, clip.Bottom));
  std::vector<cl::TRect> drawnCells;

  int32_t top = gridTop;
  for (size_t r = 0; r < Rows.size(); ++r) {
    TCellList& row = *Rows[r];
    const int32_t rowScreen = top - scroll;
    const int32_t reach = std::max(row.RowDrawHeight, row.RowHeight);
    if (rowScreen + reach < clip.Top || rowScreen >= clip.Bottom) {
      top += row.RowHeight;
      continue;
    }
    if (printing && rowScreen >= clip.Top + clip.Height() / 2 && rowScreen + row.RowDrawHeight > Document->PageLimitY &&
        row.RowDrawHeight < clip.Height()) {
      Document->PageLimitY = std::min(Document->PageLimitY, rowScreen + (r > 0 ? CellSpacing / 2 : 0));
      break;
    }
    if (printing && rowScreen >= Document->PageLimitY) break;
    int32_t cellX = DrawX;
    for (size_t c = 0; c < row.Cells.size(); ++c) {
      TCellObj* cell = row.Cells[c].get();
      if (cell) {
        const cl::TRect box{cellX + CellSpacing, rowScreen + CellSpacing, cellX + cell->SpanWidth,
                            rowScreen + cell->SpanHeight};
        if (cell->Cell->HasBackground && box.Right > box.Left && box.Bottom > box.Top)
          canvas.FillRect(box, cell->Cell->CellColor);
        cell->Cell->Draw(canvas, clip, cellX + CellSpacing + CellPadding,
                         top + CellSpacing + CellPadding + cell->ContentOffset,
                         std::max(0, cell->SpanWidth - CellSpacing - 2 * CellPadding));
        if (Border)
          ClippedBorder3D(borderDocument, canvas, clip, box.Left - 1, box.Top - 1, box.Right, box.Bottom, false);
        if (spacing) drawnCells.push_back(box);
      }
      if (c < Widths.size()) cellX += Widths[c];
    }
    top += row.RowHeight;
  }
  if (spacing) {
    for (const cl::TRect& box : drawnCells)
      *spacing = win::CombineRgn(*spacing, win::CreateRectRgn(box.Left, box.Top, box.Right, box.Bottom), win::RGN_DIFF);
    canvas.FillRgn(*spacing, BorderColor);
  }
  if (Border)
    ClippedBorder3D(borderDocument, canvas, clip, DrawX, gridTop - scroll, DrawX + GridWidth - 1,
                    rowsBottom + CellSpacing - 1 - scroll, true);
  if (!CaptionOnTop) Caption->Cell->Draw(canvas, clip, x + TableIndent, gridTop + GridHeight, TotalWidth);
  return result;
}

std::optional<ThtmlTable::TCellAt> ThtmlTable::CellAt(int32_t x, int32_t y) const {
  int32_t rowTop = 0;
  for (const auto& row : Rows) {
    if (rowTop > y) break;
    int32_t left = DrawX;
    for (size_t c = 0; c < row->Cells.size(); ++c) {
      const TCellObj* cell = row->Cells[c].get();
      if (cell && x >= left && x < left + cell->SpanWidth && y >= rowTop && y < rowTop + cell->SpanHeight)
        return TCellAt{row->Cells[c].get(), left + CellSpacing + CellPadding,
                       rowTop + CellSpacing + CellPadding + cell->ContentOffset};
      if (c < Widths.size()) left += Widths[c];
    }
    rowTop += row->RowHeight;
  }
  return std::nullopt;
}

int32_t ThtmlTable::CaptionTop() const { return CaptionOnTop ? 0 : GridHeight; }

std::optional<TLinkHit> ThtmlTable::LinkAt(cl::TCanvas& canvas, int32_t x, int32_t y) {
  if (TooDeep() || y < 0 || y >= PaintHeight) return std::nullopt;
  const int32_t captionLeft = DrawX - GridOffset + TableIndent;
  const bool inCaption = CaptionOnTop ? y < CaptionHeight : y >= GridHeight;
  if (inCaption) {
    if (x < captionLeft || x >= captionLeft + TotalWidth) return std::nullopt;
    return Caption->Cell->LinkAt(canvas, x, y - CaptionTop());
  }
  if (x < DrawX || x > DrawX + GridWidth) return std::nullopt;
  const int32_t gy = y - (CaptionOnTop ? CaptionHeight : 0);
  const auto at = CellAt(x, gy);
  if (!at) return std::nullopt;
  return at->Cell->Cell->LinkAt(canvas, x, gy - at->Y);
}

std::optional<TObjectHit> ThtmlTable::ObjectAt(int32_t x, int32_t y) {
  if (TooDeep() || y < 0 || y >= PaintHeight) return std::nullopt;
  const int32_t captionLeft = DrawX - GridOffset + TableIndent;
  const bool inCaption = CaptionOnTop ? y < CaptionHeight : y >= GridHeight;
  if (inCaption) {
    if (x < captionLeft || x >= captionLeft + TotalWidth) return std::nullopt;
    return Caption->Cell->ObjectAtXY(x, y - CaptionTop());
  }
  if (x < DrawX || x > DrawX + GridWidth) return std::nullopt;
  const int32_t gy = y - (CaptionOnTop ? CaptionHeight : 0);
  const auto at = CellAt(x, gy);
  if (!at) return std::nullopt;
  return at->Cell->Cell->ObjectAtXY(x, gy - at->Y);
}

std::optional<TCaretPlace> ThtmlTable::CaretAt(cl::TCanvas& canvas, int32_t x, int32_t y) {
  if (TooDeep() || y < 0 || y >= std::max(FlowHeight, PaintHeight)) return std::nullopt;
  const int32_t captionLeft = DrawX - GridOffset + TableIndent;
  const bool inCaption = CaptionOnTop ? y < CaptionHeight : y >= GridHeight;
  if (inCaption) {
    if (x < captionLeft || x >= captionLeft + TotalWidth) return std::nullopt;
    auto place = Caption->Cell->CaretAtXY(canvas, x, y - CaptionTop());
    if (place) place->LineY += CaptionTop();
    return place;
  }
  if (x < DrawX || x > DrawX + GridWidth) return std::nullopt;
  const int32_t gridTop = CaptionOnTop ? CaptionHeight : 0;
  const auto at = CellAt(x, y - gridTop);
  if (!at) return std::nullopt;
  auto place = at->Cell->Cell->CaretAtXY(canvas, x, y - gridTop - at->Y);
  if (place) place->LineY += gridTop + at->Y;
  return place;
}

int32_t ThtmlTable::Search(int32_t from, std::string_view text, bool matchCase) {
  if (TooDeep()) return -1;
  if (CaptionOnTop)
    if (const int32_t found = Caption->Cell->SearchText(from, text, matchCase); found >= 0) return found;
  for (const auto& row : Rows)
    for (const auto& cell : row->Cells)
      if (cell)
        if (const int32_t found = cell->Cell->SearchText(from, text, matchCase); found >= 0) return found;
  if (!CaptionOnTop) return Caption->Cell->SearchText(from, text, matchCase);
  return -1;
}

std::optional<TTextPoint> ThtmlTable::PositionToXY(cl::TCanvas& canvas, int32_t position) {
  if (TooDeep() || position < FirstPos || position >= FirstPos + PosCount) return std::nullopt;
  if (CaptionOnTop)
    if (auto point = Caption->Cell->PositionToXY(canvas, position)) return point;
  for (const auto& row : Rows)
    for (const auto& cell : row->Cells)
      if (cell)
        if (auto point = cell->Cell->PositionToXY(canvas, position)) return point;
  if (!CaptionOnTop) return Caption->Cell->PositionToXY(canvas, position);
  return std::nullopt;
}

std::optional<TCharHit> ThtmlTable::CharAt(int32_t position) {
  if (TooDeep() || position < FirstPos || position >= FirstPos + PosCount) return std::nullopt;
  if (auto hit = Caption->Cell->CharAt(position)) return hit;
  for (const auto& row : Rows)
    for (const auto& cell : row->Cells)
      if (cell)
        if (auto hit = cell->Cell->CharAt(position)) return hit;
  return std::nullopt;
}

void ThtmlTable::CopySelection() {
  if (TooDeep()) return;
  if (CaptionOnTop) Caption->Cell->CopySelection();
  for (const auto& row : Rows)
    for (const auto& cell : row->Cells)
      if (cell) cell->Cell->CopySelection();
  if (!CaptionOnTop) Caption->Cell->CopySelection();
}

void ThtmlTable::RefreshFonts() {
  for (const auto& row : Rows)
    for (const auto& cell : row->Cells)
      if (cell) cell->RefreshFonts();
  Caption->RefreshFonts();
}

}  // namespace html
