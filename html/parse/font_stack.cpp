#include "html/parse/font_stack.h"

#include <algorithm>

namespace html {

TFontStack::TFontStack(std::unique_ptr<TMyFont> baseFont) {
  entries_.reserve(Capacity);
  entries_.push_back({std::move(baseFont), EofSy});
}

bool TFontStack::Push(HtmlSymbol pusher) {
  if (Full()) {
    NotPushed(pusher);
    return false;
  }
  auto font = std::make_unique<TMyFont>();
  font->Assign(Top());
  entries_.push_back({std::move(font), pusher});
  return true;
}

bool TFontStack::Pop(HtmlSymbol pusher) {
  if (unpushed_[pusher] > 0) {
    --unpushed_[pusher];
    return false;
  }
  for (size_t i = entries_.size(); i-- > floor_;)
    if (entries_[i].Pusher == pusher) {
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  return false;
}

bool TFontStack::WillPop(HtmlSymbol pusher) const {
  if (unpushed_[pusher] > 0) return false;
  for (size_t i = entries_.size(); i-- > floor_;)
    if (entries_[i].Pusher == pusher) return true;
  return false;
}

void TFontStack::PopTo(int count) {
  if (count < 1) count = 1;
  while (Count() > count) entries_.pop_back();
}

int TFontStack::SetFloor(int floor) {
  const int previous = static_cast<int>(floor_);
  floor_ = static_cast<size_t>(std::max(floor, 1));
  return previous;
}

}  // namespace html
