#include "platform/gui/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/gui/application.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

std::string TClipboard::AsText() const {
  EnsureQtApplication();
  return FromQString(QGuiApplication::clipboard()->text());
}

void TClipboard::SetAsText(std::string_view text) {
  EnsureQtApplication();
  QGuiApplication::clipboard()->setText(ToQString(text));
}

bool TClipboard::HasText() const {
  EnsureQtApplication();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText();
}

void TClipboard::Clear() {
  EnsureQtApplication();
  QGuiApplication::clipboard()->clear();
}

}  // namespace cl
