#include "platform/gui/screen.h"

namespace cl {

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

void TScreen::SetCursor(int slot, std::unique_ptr<TCursorShape> cursor) {
  if (cursor == nullptr) {
    cursors_.erase(slot);
    return;
  }
  cursors_[slot] = std::move(cursor);
}

const TCursorShape* TScreen::Cursor(int slot) const {
  const auto it = cursors_.find(slot);
  return it == cursors_.end() ? nullptr : it->second.get();
}

}  // namespace cl
