#include "platform/gui/colors.h"

#include <QGuiApplication>
#include <QPalette>

#include "platform/gui/qt_bridge.h"

namespace win {

namespace {

// Windows' classic scheme, for system colours asked for without a GUI.
constexpr cl::TColor ClassicColors[25] = {
    cl::RGB(0xC0, 0xC0, 0xC0), cl::RGB(0x00, 0x80, 0x80), cl::RGB(0x00, 0x00, 0x80),
    cl::RGB(0x80, 0x80, 0x80), cl::RGB(0xC0, 0xC0, 0xC0), cl::RGB(0xFF, 0xFF, 0xFF),
    cl::RGB(0x00, 0x00, 0x00), cl::RGB(0x00, 0x00, 0x00), cl::RGB(0x00, 0x00, 0x00),
    cl::RGB(0xFF, 0xFF, 0xFF), cl::RGB(0xC0, 0xC0, 0xC0), cl::RGB(0xC0, 0xC0, 0xC0),
    cl::RGB(0x80, 0x80, 0x80), cl::RGB(0x00, 0x00, 0x80), cl::RGB(0xFF, 0xFF, 0xFF),
    cl::RGB(0xC0, 0xC0, 0xC0), cl::RGB(0x80, 0x80, 0x80), cl::RGB(0x80, 0x80, 0x80),
    cl::RGB(0x00, 0x00, 0x00), cl::RGB(0xC0, 0xC0, 0xC0), cl::RGB(0xFF, 0xFF, 0xFF),
    cl::RGB(0x00, 0x00, 0x00), cl::RGB(0xDF, 0xDF, 0xDF), cl::RGB(0x00, 0x00, 0x00),
    cl::RGB(0xFF, 0xFF, 0xE1)};

struct RoleOf {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// Which palette colour stands for each system colour.
constexpr RoleOf Roles[25] = {
    {QPalette::Active, QPalette::Button},          {QPalette::Active, QPalette::Dark},
    {QPalette::Active, QPalette::Highlight},       {QPalette::Inactive, QPalette::Dark},
    {QPalette::Active, QPalette::Window},          {QPalette::Active, QPalette::Base},
    {QPalette::Active, QPalette::Shadow},          {QPalette::Active, QPalette::WindowText},
    {QPalette::Active, QPalette::Text},            {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Button},          {QPalette::Inactive, QPalette::Button},
    {QPalette::Active, QPalette::Dark},            {QPalette::Active, QPalette::Highlight},
    {QPalette::Active, QPalette::HighlightedText}, {QPalette::Active, QPalette::Button},
    {QPalette::Active, QPalette::Dark},            {QPalette::Disabled, QPalette::Text},
    {QPalette::Active, QPalette::ButtonText},      {QPalette::Inactive, QPalette::WindowText},
    {QPalette::Active, QPalette::Light},           {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::Midlight},        {QPalette::Active, QPalette::ToolTipText},
    {QPalette::Active, QPalette::ToolTipBase}};

}  // namespace

cl::TColor GetSysColor(int index) {
  if (index < 0 || index >= 25) return cl::clBlack;
  if (qGuiApp == nullptr) return ClassicColors[index];
  const QPalette palette = QGuiApplication::palette();
  return cl::FromQRgb(palette.color(Roles[index].group, Roles[index].role).rgb());
}

}  // namespace win

namespace cl {

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return win::GetSysColor(color & 0xFF);
  return color & 0x00FFFFFF;
}

QRgb ToQRgb(TColor color) {
  const TColor c = ColorToRGB(color);
  return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

QColor ToQColor(TColor color) { return QColor(ToQRgb(color)); }

TColor FromQRgb(QRgb rgb) {
  return RGB(static_cast<uint8_t>(qRed(rgb)), static_cast<uint8_t>(qGreen(rgb)), static_cast<uint8_t>(qBlue(rgb)));
}

}  // namespace cl
