#include "html/cell_obj.h"

#include "html/colors.h"
#include "platform/gui/colors.h"

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
      case ColSpanSy:
        if (a->IntValue > 1) ColSpan = a->IntValue;
        break;
      case RowSpanSy:
        if (a->IntValue > 1) RowSpan = a->IntValue;
        break;
      case WidthSy:
        if (a->StrValue.find('%') == std::string::npos) {
          if (a->IntValue > 0) WidthAttr = a->IntValue;
        } else if (a->IntValue >= 1 && a->IntValue <= 100) {
          WidthAttr = a->IntValue * 10;
          WidthIsPercent = true;
        }
        break;
      case HeightSy: HeightAttr = a->IntValue; break;
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
