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

int32_t TPreFormated::Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t& maxWidth,
                             int32_t& curs) {
  struct RestoreWidth {
    IndentManager& indents;
    int32_t width;
    ~RestoreWidth() { indents.LayoutWidth = width; }
  } restore{indents, indents.LayoutWidth};
  indents.LayoutWidth = 32000;
  const int32_t height = TSection::Layout(canvas, y, indents, maxWidth, curs);
  int32_t min = 0;
  MeasureWidths(canvas, min, maxWidth);
  return height;
}

void TPreFormated::MeasureWidths(cl::TCanvas& canvas, int32_t& min, int32_t& max) {
  max = PosCount > 0 ? TextWidth(canvas, 0, false, PosCount) + Indent : Indent;
  min = std::min(MaxMinWidth, max);
  ReleaseMeasures();
}

}  // namespace html
