#include "platform/gui/screen.h"

#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/core/ansi_case.h"
#include "platform/core/mul_div.h"
#include "platform/gui/application.h"
#include "platform/gui/control_hooks.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/qt_input.h"

namespace cl {

int TScreen::Width() const {
  EnsureQtApplication();
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().width() : 640;
}

int TScreen::Height() const {
  EnsureQtApplication();
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().height() : 480;
}

namespace {

std::int32_t Rounded(double value) {
  constexpr double low = std::numeric_limits<std::int32_t>::min(), high = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(std::round(value), low, high));
}

// origin + (point - origin) x factor, without overflow.
TPoint Scaled(TPoint point, QPoint origin, double factor) {
  return {Rounded(origin.x() + (static_cast<double>(point.X) - origin.x()) * factor),
          Rounded(origin.y() + (static_cast<double>(point.Y) - origin.y()) * factor)};
}

}  // namespace

TPoint TScreen::FromScreenPixels(TPoint pixels) const {
  EnsureQtApplication();
  const QScreen* on = QGuiApplication::primaryScreen();
  for (const QScreen* screen : QGuiApplication::screens()) {
    // A screen keeps its corner where its pixels put it; only its extent shrinks.
    const QRect area = screen->geometry();
    const double ratio = screen->devicePixelRatio();
    if (pixels.X >= area.x() && pixels.Y >= area.y() && static_cast<double>(pixels.X) - area.x() < area.width() * ratio &&
        static_cast<double>(pixels.Y) - area.y() < area.height() * ratio) {
      on = screen;
      break;
    }
  }
  if (on == nullptr) return pixels;
  return Scaled(pixels, on->geometry().topLeft(), 1.0 / on->devicePixelRatio());
}

TPoint TScreen::ToScreenPixels(TPoint point) const {
  EnsureQtApplication();
  const QScreen* on = QGuiApplication::screenAt(QPoint(point.X, point.Y));
  if (on == nullptr) on = QGuiApplication::primaryScreen();
  if (on == nullptr) return point;
  return Scaled(point, on->geometry().topLeft(), on->devicePixelRatio());
}

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

namespace {

TPoint lastMousePosition;

}  // namespace

void NoteMousePosition(TPoint screenPos) { lastMousePosition = screenPos; }

TPoint LastMousePosition() { return lastMousePosition; }

TPoint TScreen::CursorPos() const {
  EnsureQtApplication();
  // The offscreen platform has no pointer of its own: what the events said.
  if (QGuiApplication::platformName() == "offscreen") return lastMousePosition;
  const QPoint pos = QCursor::pos();
  return {pos.x(), pos.y()};
}

std::vector<std::string> TScreen::Fonts() const {
  EnsureQtApplication();
  std::vector<std::string> faces;
  for (const QString& family : QFontDatabase::families()) {
    const std::string face = FromQString(family);
    // A face code page 1250 cannot name is no face for the system.
    if (face.find('?') == std::string::npos) faces.push_back(face);
  }
  std::sort(faces.begin(), faces.end(),
            [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
  faces.erase(std::unique(faces.begin(), faces.end(),
                          [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) == 0; }),
              faces.end());
  return faces;
}

bool TScreen::IsScalableFont(const std::string& face) const {
  EnsureQtApplication();
  const QString family = QString::fromStdString(SubstituteFaceName(face));
  return QFontDatabase::isSmoothlyScalable(family) || QFontDatabase::pointSizes(family).isEmpty();
}

std::vector<int> TScreen::FontPixelHeights(const std::string& face) const {
  std::vector<int> heights;
  if (IsScalableFont(face)) return heights;
  for (const int points : QFontDatabase::pointSizes(QString::fromStdString(SubstituteFaceName(face)))) {
    heights.push_back(win::MulDiv(points, pixelsPerInch_, 72));
  }
  std::sort(heights.begin(), heights.end());
  heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
  return heights;
}

}  // namespace cl
