#include "platform/gui/test_support/screen_pixels.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "platform/core/exception.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/test_support/gui_test.h"

namespace cl::testing {

ScreenArea ScreenPixels(TControl& control, const TRect& box) {
  ProcessEvents();
  QWidget* widget = TControl::Access::Widget(control);
  QWidget* window = widget->window();
  if (window->windowHandle() == nullptr || !window->isVisible())
    throw Exception("The control's form is not shown");
  const QPoint at = widget->mapTo(window, QPoint(box.Left, box.Top));
  // Qt paints what was invalidated at the window's next frame, which a test
  // does not wait for: the window and its children paint the area now.
  const QImage shot = window->grab(QRect(at, QSize(box.Width(), box.Height()))).toImage();
  if (shot.isNull()) throw Exception("The window's pixels cannot be read");
  ScreenArea area{box, {}};
  area.Pixels.reserve(static_cast<size_t>(box.Width()) * static_cast<size_t>(box.Height()));
  for (int y = 0; y < box.Height(); ++y)
    for (int x = 0; x < box.Width(); ++x) {
      const QRgb rgb = x < shot.width() && y < shot.height() ? shot.pixel(x, y) : qRgb(0, 0, 0);
      area.Pixels.push_back(static_cast<TColor>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16));
    }
  return area;
}

TColor ScreenArea::At(int x, int y) const {
  if (x < Box.Left || y < Box.Top || x >= Box.Right || y >= Box.Bottom) return -1;
  return Pixels[static_cast<size_t>(y - Box.Top) * static_cast<size_t>(Box.Width()) + static_cast<size_t>(x - Box.Left)];
}

TColor ScreenPixel(TControl& control, int x, int y) { return ScreenPixels(control, Rect(x, y, x + 1, y + 1)).Pixels[0]; }

}  // namespace cl::testing
