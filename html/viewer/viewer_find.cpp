#include "html/viewer/doc_viewer.h"
#include "html/viewer/paint_panel.h"
#include "platform/core/ansi_case.h"

namespace html {

bool TDocViewer::FindText(const std::string& s, bool matchCase) {
  if (s.empty()) return false;
  // The whole pattern is searched, so the selection covers what was found.
  const int32_t found = sectionList_->SearchText(caretPos_, s, matchCase);
  if (found < 0) return false;
  sectionList_->SelFrom = found;
  sectionList_->SelTo = found + static_cast<int32_t>(s.size());
  caretPos_ = sectionList_->SelTo;
  const auto point = sectionList_->PositionToXY(paintPanel_->Canvas(), found);
  if (!point) return true;
  const int32_t top = VScrollBarPosition();
  const int32_t client = paintPanel_->ClientHeight();
  if (point->Y < top || point->Y > top + client - 20) SetVScrollBarPosition(point->Y - client / 2);
  Invalidate();
  paintPanel_->Invalidate();
  return true;
}

bool TDocViewer::PositionTo(std::string dest) {
  if (!dest.empty() && dest[0] == '#') dest.erase(0, 1);
  if (dest.empty()) return false;
  int index = 0;
  if (!nameList_.Find(cl::AnsiUpperCase(dest), index)) return false;
  const auto* section = dynamic_cast<const TSectionBase*>(nameList_.Objects(index));
  if (section == nullptr) return false;
  ScrollToY(section->PlacedY);
  HScrollTo(0);
  return true;
}

}  // namespace html
