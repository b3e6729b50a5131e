#include "platform/gui/system_icons.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QStyle>

#include "platform/gui/application.h"
#include "platform/gui/canvas.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

bool LoadSystemIcon(uint16_t id, TBitmap& picture, TColor background) {
  QStyle::StandardPixmap pixmap = QStyle::SP_MessageBoxWarning;
  switch (id) {
    case IDI_HAND: pixmap = QStyle::SP_MessageBoxCritical; break;
    case IDI_QUESTION: pixmap = QStyle::SP_MessageBoxQuestion; break;
    case IDI_EXCLAMATION: pixmap = QStyle::SP_MessageBoxWarning; break;
    case IDI_ASTERISK: pixmap = QStyle::SP_MessageBoxInformation; break;
    default: return false;
  }
  EnsureQtApplication();
  picture.SetSize(SystemIconSize, SystemIconSize);
  picture.Canvas().FillRect(TRect{0, 0, SystemIconSize, SystemIconSize}, background);
  const QIcon icon = QApplication::style()->standardIcon(pixmap);
  QPainter painter(&picture.Handle()->image);
  icon.paint(&painter, 0, 0, SystemIconSize, SystemIconSize);
  return true;
}

}  // namespace cl
