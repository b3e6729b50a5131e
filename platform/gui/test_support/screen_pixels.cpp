#include "platform/gui/test_support/screen_pixels.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "platform/core/exception.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/test_support/gui_test.h"

namespace cl::testing {

TColor ScreenPixel(TControl& control, int x, int y) {
  ProcessEvents();
  QWidget* widget = TControl::Access::Widget(control);
  QWidget* window = widget->window();
  if (window->windowHandle() == nullptr || !window->isVisible())
    throw Exception("The control's form is not shown");
  const QPoint at = widget->mapTo(window, QPoint(x, y));
  // Qt paints what was invalidated at the window's next frame, which a test
  // does not wait for: the window and its children paint the point now.
  const QImage shot = window->grab(QRect(at, QSize(1, 1))).toImage();
  if (shot.isNull()) throw Exception("The window's pixels cannot be read");
  const QRgb rgb = shot.pixel(0, 0);
  return static_cast<TColor>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16);
}

}  // namespace cl::testing
