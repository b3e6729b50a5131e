#include "html/document/preformated_lines.h"

#include <algorithm>

namespace html {

void TPreFormatedLines::NewLine() {
  // The first line may still be empty; later ones hold at least their space.
  if (PosCount == 0) AppendRaw(" ");
  lineStarts_.push_back(PosCount);
  AppendRaw(" ");
  padded_ = true;
}

void TPreFormatedLines::AppendText(std::string_view s) {
  if (s.empty()) return;
  if (padded_) {
    Buff.pop_back();
    PosCount = static_cast<int32_t>(Buff.size());
    padded_ = false;
  }
  TPreFormated::AppendText(s);
}

std::string_view TPreFormatedLines::Line(int index) const {
  const int32_t start = LineStart(index);
  return std::string_view(Buff).substr(static_cast<size_t>(start), static_cast<size_t>(LineEnd(index) - start));
}

std::unique_ptr<TSectionBase> TPreFormatedLines::Clone(TSectionList* master) const {
  return std::make_unique<TPreFormatedLines>(master, *this);
}

int32_t TPreFormatedLines::LineLimit(int32_t start) const {
  const auto next = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), start);
  return next == lineStarts_.end() ? PosCount : *next;
}

int32_t TPreFormatedLines::Search(int32_t from, std::string_view text, bool matchCase) {
  const auto length = static_cast<int32_t>(text.size());
  for (;;) {
    const int32_t found = TPreFormated::Search(from, text, matchCase);
    if (found < 0) return -1;
    const int32_t end = LineLimit(found - FirstPos);
    if (found - FirstPos + length <= end) return found;
    // Every later match starting in this line runs past its end too.
    from = FirstPos + end;
  }
}

TWidths TPreFormatedLines::MeasureWidths(cl::TCanvas& canvas) {
  int32_t widest = 0;
  for (int i = 0; i < LineCount(); ++i) {
    const int32_t start = LineStart(i);
    if (LineEnd(i) > start) widest = std::max(widest, TextWidth(canvas, start, false, LineEnd(i) - start));
  }
  const int32_t max = widest + Indent;
  ReleaseMeasures();
  return {std::min(MaxMinWidth, max), max};
}

}  // namespace html
