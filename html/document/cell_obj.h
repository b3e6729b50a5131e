#pragma once

#include <cstdint>
#include <memory>

#include "html/document/attributes.h"
#include "html/document/cell.h"

namespace html {

// One table cell: its spans, sizes and attributes, and its own TCell.
class TCellObj {
 public:
  TCellObj(TSectionList* master, const TAttributeList& attributes, uint8_t vAlign);
  // Print copy: the cell copied for master, without its background.
  TCellObj(TSectionList* master, const TCellObj& source);
  TCellObj& operator=(const TCellObj&) = delete;

  void RefreshFonts() { Cell->RefreshAllFonts(); }

  int32_t ColSpan = 1, RowSpan = 1;
  int32_t SpanWidth = 0, SpanHeight = 0;  // over the spanned columns and rows, set by the table
  int32_t ContentHeight = 0;
  int32_t HeightAttr = 0;
  int32_t ContentOffset = 0;
  uint8_t VAlign = 0;  // 0 top, 1 middle, 2 bottom
  int32_t WidthAttr = 0;  // pixels, or tenths of a percent when WidthIsPercent
  bool WidthIsPercent = false;
  std::unique_ptr<TCell> Cell;
};

}  // namespace html
