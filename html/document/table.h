#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "html/document/attributes.h"
#include "html/document/cell_obj.h"
#include "html/document/column_widths.h"
#include "html/document/justification.h"
#include "html/document/section_base.h"
#include "platform/gui/colors.h"

namespace html {

// One table row: its cells left to right. Once the table has built its grid,
// null entries stand for the places covered by a spanning cell.
class TCellList {
 public:
  TCellList() = default;
  // The row of a print copy: each cell copied, the row's own fields not.
  TCellList(TSectionList* master, const TCellList& source);

  void Add(std::unique_ptr<TCellObj> cell) { Cells.push_back(std::move(cell)); }
  // BGCOLOR of the TR tag.
  void ReadAttributes(const TAttributeList& attributes);
  int32_t Count() const { return static_cast<int32_t>(Cells.size()); }

  std::vector<std::unique_ptr<TCellObj>> Cells;
  int32_t RowHeight = 0;
  int32_t RowDrawHeight = 0;  // the tallest cell starting here, its row span included
  bool RowHasBackground = false;
  cl::TColor RowColor = 0;
};

// A TABLE: rows of cells laid out on a grid of columns, with a caption.
// Columns grow as the rows need them; a table nested deeper than
// MaxNesting tables is kept but laid out and drawn as empty.
class ThtmlTable : public TSectionBase {
 public:
  static constexpr int32_t MaxSpan = 1000;
  static constexpr int32_t MaxPixels = 32000;
  static constexpr int32_t MaxNesting = 200;
  // A row never expands to more columns than this, nor a grid to more
  // places (cells and placeholders) than MaxGridPlaces: spans are cut.
  static constexpr int32_t MaxColumns = 32000;
  static constexpr int64_t MaxGridPlaces = int64_t{1} << 22;

  // defaultAlign 1 left, 2 centre, 3 right.
  ThtmlTable(TSectionList* document, int32_t listLevel, TCell* ownerCell, Justification defaultAlign,
             const TAttributeList& attributes);
  ThtmlTable(TSectionList* master, const ThtmlTable& source);
  ~ThtmlTable() override;

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  void CopySelection() override;
  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) override;
  int32_t Draw(cl::TCanvas& canvas, const cl::TRect& clip, IndentManager& indents, int32_t x, int32_t y) override;
  std::optional<TLinkHit> LinkAt(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  std::optional<TObjectHit> ObjectAt(int32_t x, int32_t y) override;
  std::optional<TCaretPlace> CaretAt(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  int32_t Search(int32_t from, std::string_view text, bool matchCase) override;
  std::optional<TTextPoint> PositionToXY(cl::TCanvas& canvas, int32_t position) override;
  std::optional<TCharHit> CharAt(int32_t position) override;
  void RefreshFonts() override;
  TWidths MeasureWidths(cl::TCanvas& canvas) override;

  // Expands the spans into a rectangular grid (once) and takes over colours.
  void BuildGrid();

  std::vector<std::unique_ptr<TCellList>> Rows;
  std::unique_ptr<TCellObj> Caption;
  bool GridBuilt = false;
  bool Border = false;
  bool CaptionOnTop = true;
  int32_t GridOffset = 0;   // X of the grid from the cell's left edge
  int32_t TableIndent = 0;  // X of the caption box from the cell's left edge
  Justification Align = Justification::Left;
  bool Float = false;
  int32_t NumCols = 0;
  int32_t GridWidth = 0;
  int32_t TotalWidth = 0;
  int32_t TableWidthAttr = 0;  // pixels, or tenths of a percent when TableWidthIsPercent; 0 for none
  bool TableWidthIsPercent = false;
  bool HasPixelCells = false;
  int32_t CaptionHeight = 0;
  int32_t GridHeight = 0;
  int32_t CellPadding = 1;
  int32_t CellSpacing = 2;
  int32_t CaptionMinWidth = 0;
  std::vector<int32_t> Widths;
  std::vector<int32_t> Percents;
  int32_t HSpace = 5;
  int32_t ListLevel = 0;
  int32_t DrawX = 0, DrawY = 0;
  bool HasBackground = false;
  cl::TColor BackgroundColor = 0;
  bool HasBorderColor = false;
  cl::TColor BorderColor = 0;
  TCell* OwnerCell = nullptr;

 private:
  // What a cell's last layout depended on, so that a pass that asks again
  // for the same thing does not lay the cell (and the tables in it) out again.
  struct CellCache {
    uint64_t Pass = 0;
    int32_t Width = -1;
    int32_t Height = 0;
    bool Placed = false;  // the last layout was at X, Y with positions from Curs
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Curs = 0;
    int32_t PosCount = 0;
  };
  // The cells of the grid with their columns, row by row.
  template <typename F>
  void ForEachCell(F&& f) const;
  // Each real cell measured once per pass, with the padding and spacing added.
  const std::vector<TSpanCell>& MeasureCells(cl::TCanvas& canvas);
  void EnterPass();
  void ComputeWidths(cl::TCanvas& canvas, int32_t width);
  // The rows with their positions from curs; returns the cursor after them.
  // x: window X of the grid's left edge, as the table will be drawn.
  int32_t LayoutRows(cl::TCanvas& canvas, int32_t x, int32_t top, int32_t curs);
  struct LaidCell {
    int32_t Height = 0;
    int32_t NextCurs = 0;
  };
  // Lays out a cell whose content starts at window X x, or keeps its last
  // layout when nothing it depends on changed.
  LaidCell LayoutCell(cl::TCanvas& canvas, TCellObj& cell, CellCache& cache, int32_t x, int32_t y, int32_t curs,
                      int32_t width);
  int32_t CellHeight(cl::TCanvas& canvas, TCellObj& cell, CellCache& cache, int32_t x, int32_t width);
  // One cache a real cell, in grid order; rowFirst_ holds each row's first.
  void PrepareCaches();
  // Tells the tables standing in the cells that they are nested in this one.
  void LinkNested();
  bool TooDeep() const { return nesting_ > MaxNesting; }
  // The cell under a point of the grid (y from the grid's top) and its content offsets.
  struct TCellAt {
    TCellObj* Cell = nullptr;
    int32_t X = 0;  // of its content
    int32_t Y = 0;
  };
  std::optional<TCellAt> CellAt(int32_t x, int32_t y) const;
  // Y of the caption from the table's top.
  int32_t CaptionTop() const;

  ThtmlTable* outer_ = nullptr;  // the table whose cell holds this one
  int32_t nesting_ = 0;
  bool nestedLinked_ = false;
  uint64_t pass_ = 0;  // the outermost table's layout count
  uint64_t measuredPass_ = 0;
  std::vector<CellCache> caches_;
  std::vector<size_t> rowFirst_;
  CellCache captionCache_;
  std::vector<TSpanCell> measuredCells_;
};

}  // namespace html
