#include "html/document/preformated.h"

#include <algorithm>
#include <string>

#include "html/document/indent_manager.h"

namespace html {

void TPreFormated::AppendText(std::string_view s) {
  // No length limit: a long line is kept whole, like any other text.
  if (s.empty()) return;
  const size_t from = Buff.size();
  AppendRaw(s);
  for (size_t i = from; i < Buff.size(); ++i)
    if (Buff[i] == ImageMark || Buff[i] == ControlMark) Buff[i] = '?';
}

std::unique_ptr<TSectionBase> TPreFormated::Clone(TSectionList* master) const {
  return std::make_unique<TPreFormated>(master, *this);
}

TLayoutResult TPreFormated::Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) {
  struct RestoreWidth {
    IndentManager& indents;
    int32_t width;
    ~RestoreWidth() { indents.LayoutWidth = width; }
  } restore{indents, indents.LayoutWidth};
  indents.LayoutWidth = 32000;
  TLayoutResult result = TSection::Layout(canvas, y, indents, curs);
  result.MaxWidth = MeasureWidths(canvas).Max;
  return result;
}

TWidths TPreFormated::MeasureWidths(cl::TCanvas& canvas) {
  const int32_t max = PosCount > 0 ? TextWidth(canvas, 0, false, PosCount) + Indent : Indent;
  ReleaseMeasures();
  return {std::min(MaxMinWidth, max), max};
}

}  // namespace html
