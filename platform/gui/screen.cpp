#include "platform/gui/screen.h"

#include <QApplication>
#include <QCursor>

#include "platform/gui/application.h"
#include "platform/gui/qt_input.h"

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

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  const bool had = cursor_ != crDefault;
  cursor_ = cursor;
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    EnsureQtApplication();
  }
  if (cursor == crDefault) {
    if (had) QApplication::restoreOverrideCursor();
  } else if (had) {
    QApplication::changeOverrideCursor(ToQCursor(cursor));
  } else {
    QApplication::setOverrideCursor(ToQCursor(cursor));
  }
}

}  // namespace cl
