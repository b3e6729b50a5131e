#include "platform/gui/test_support/x_server.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "platform/gui/control_widget.h"

namespace cl::testing {

bool OnAnXServer() { return QGuiApplication::platformName() == "xcb"; }

double DevicePixelRatio() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

std::optional<TPoint> XWindowPosition(TControl& control) {
  if (!OnAnXServer()) return std::nullopt;
  const QWidget* top = TControl::Access::Widget(control)->window();
  if (top == nullptr || !top->isVisible()) return std::nullopt;
  // Everything Qt asked of the server is done before the server is asked.
  QGuiApplication::sync();
  int screen = 0;
  const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(xcb_connect(nullptr, &screen),
                                                                                  xcb_disconnect);
  if (xcb_connection_has_error(connection.get()) != 0) return std::nullopt;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
  for (; screens.rem > 0 && screen > 0; --screen) xcb_screen_next(&screens);
  if (screens.rem == 0) return std::nullopt;
  const auto window = static_cast<xcb_window_t>(top->winId());
  const std::unique_ptr<xcb_translate_coordinates_reply_t, void (*)(void*)> reply(
      xcb_translate_coordinates_reply(
          connection.get(), xcb_translate_coordinates(connection.get(), window, screens.data->root, 0, 0), nullptr),
      std::free);
  if (reply == nullptr) return std::nullopt;
  return TPoint{reply->dst_x, reply->dst_y};
}

}  // namespace cl::testing
