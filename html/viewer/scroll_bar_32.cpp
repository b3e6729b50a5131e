#include "html/viewer/scroll_bar_32.h"

#include "html/viewer/doc_viewer.h"

namespace html {

void T32ScrollBar::SetParams(int32_t position, int32_t page, int32_t min, int32_t max) {
  if (applied_ && position == position_ && page == page_ && min == min_ && max == max_) return;
  position_ = position;
  page_ = page;
  min_ = min;
  max_ = max;
  Apply();
}

void T32ScrollBar::SetPosition(int32_t position) { SetParams(position, page_, min_, max_); }

void T32ScrollBar::SetMax(int32_t max) { SetParams(position_, page_, min_, max); }

void T32ScrollBar::Apply() {
  applied_ = true;
  cl::TScrollInfo info;
  info.Min = min_;
  info.Max = max_;
  info.Page = page_ > 0 ? static_cast<uint32_t>(page_) : 0;
  info.Pos = position_;
  SetScrollInfo(info, cl::SIF_ALL);
}

void T32ScrollBar::ScrollNotify(cl::TScrollCode code) {
  if (auto* viewer = dynamic_cast<TDocViewer*>(Parent())) {
    viewer->VScrollNotify(code, GetScrollInfo().TrackPos);
    return;
  }
  cl::TScrollBar::ScrollNotify(code);
}

}  // namespace html
