#include "platform/gui/owner_drawn_row.h"

namespace cl {

void PrepareRowCanvas(TCanvas& canvas, const TControl& list, bool selected) {
  canvas.Font().Assign(list.Font());
  canvas.Font().SetColor(selected ? clHighlightText : list.Font().Color());
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(selected ? clHighlight : list.Color());
}

void DrawPlainRow(TCanvas& canvas, TRect rect, std::string_view text) {
  canvas.FillRect(rect);
  canvas.TextOut(rect.Left + 2, rect.Top, text);
}

}  // namespace cl
