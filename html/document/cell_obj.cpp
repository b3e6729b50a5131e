#include "html/document/cell_obj.h"

#include <algorithm>

#include "html/document/colors.h"
#include "platform/gui/colors.h"

namespace html {

TCellObj::TCellObj(TSectionList* master, const TAttributeList& attributes, uint8_t vAlign)
    : VAlign(vAlign), Cell(std::make_unique<TCell>(master)) {
  for (const auto& a : attributes) {
    switch (a->Code) {
      case BGColorSy: {
        std::string value = a->StrValue;
        if (const auto colour = ColorFromString(value)) {
          Cell->HasBackground = true;
          Cell->CellColor = *colour | cl::PaletteRelative;
        }
        break;
      }
      // Spans and pixel sizes are cut so that no sum of them can overflow
      // and no span can ask for millions of placeholder cells.
      case ColSpanSy:
        if (a->IntValue > 1) ColSpan = std::min(a->IntValue, 1000);
        break;
      case RowSpanSy:
        if (a->IntValue > 1) RowSpan = std::min(a->IntValue, 1000);
        break;
      case WidthSy:
        if (a->StrValue.find('%') == std::string::npos) {
          if (a->IntValue > 0) WidthAttr = std::min(a->IntValue, 32000);
        } else if (a->IntValue >= 1 && a->IntValue <= 100) {
          WidthAttr = a->IntValue * 10;
          WidthIsPercent = true;
        }
        break;
      case HeightSy: HeightAttr = std::clamp(a->IntValue, 0, 32000); break;
      default: break;
    }
  }
}

TCellObj::TCellObj(TSectionList* master, const TCellObj& source)
    : ColSpan(source.ColSpan),
      RowSpan(source.RowSpan),
      SpanWidth(source.SpanWidth),
      SpanHeight(source.SpanHeight),
      ContentHeight(source.ContentHeight),
      HeightAttr(source.HeightAttr),
      ContentOffset(source.ContentOffset),
      VAlign(source.VAlign),
      WidthAttr(source.WidthAttr),
      WidthIsPercent(source.WidthIsPercent),
      Cell(std::make_unique<TCell>(master, *source.Cell)) {
  Cell->HasBackground = false;
}

}  // namespace html
