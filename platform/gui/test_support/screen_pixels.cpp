#include "platform/gui/test_support/screen_pixels.h"

#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "platform/core/exception.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/test_support/gui_test.h"

namespace cl::testing {

TColor ScreenPixel(TControl& control, int x, int y) {
  ProcessEvents();
  QWidget* widget = TControl::Access::Widget(control);
  QWidget* window = widget->window();
  if (window->windowHandle() == nullptr || window->screen() == nullptr)
    throw Exception("The control's form is not shown");
  const QPoint at = widget->mapTo(window, QPoint(x, y));
  const QImage shot = window->screen()->grabWindow(window->winId(), at.x(), at.y(), 1, 1).toImage();
  if (shot.isNull()) throw Exception("The window's pixels cannot be read");
  const QRgb rgb = shot.pixel(0, 0);
  return static_cast<TColor>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16);
}

}  // namespace cl::testing
