#include "platform/gui/screen_facts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "platform/core/ansi_case.h"
#include "platform/core/cp1250.h"
#include "platform/core/mul_div.h"
#include "platform/gui/application.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

std::optional<QString> InstalledFamily(std::string_view faceName) {
  const QString wanted = ToQString(SubstituteFaceName(faceName));
  for (const QString& family : QFontDatabase::families())
    if (family.compare(wanted, Qt::CaseInsensitive) == 0) return family;
  return std::nullopt;
}

}  // namespace

std::vector<TRect> MonitorRects() {
  EnsureQtApplication();
  std::vector<TRect> rects;
  QList<QScreen*> screens = QGuiApplication::screens();
  QScreen* primary = QGuiApplication::primaryScreen();
  std::stable_partition(screens.begin(), screens.end(), [primary](QScreen* s) { return s == primary; });
  for (const QScreen* screen : screens) {
    const QRect g = screen->geometry();
    rects.push_back(Bounds(g.x(), g.y(), g.width(), g.height()));
  }
  return rects;
}

std::vector<std::string> ScreenFontNames() {
  EnsureQtApplication();
  std::vector<std::string> names;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(family)) continue;
    // A family named outside code page 1250 cannot be asked for by name.
    if (auto name = win::Utf8ToCp1250(family.toStdString())) names.push_back(std::move(*name));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::optional<std::vector<std::int32_t>> FontBitmapHeights(std::string_view faceName) {
  EnsureQtApplication();
  const auto family = InstalledFamily(faceName);
  if (!family) return std::nullopt;
  std::vector<std::int32_t> heights;
  if (QFontDatabase::isSmoothlyScalable(*family)) return heights;
  for (const int points : QFontDatabase::pointSizes(*family)) heights.push_back(win::MulDiv(points, 96, 72));
  std::sort(heights.begin(), heights.end());
  heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
  return heights;
}

}  // namespace cl
