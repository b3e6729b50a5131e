#pragma once

#include <string>

namespace cl {

// What decides whether Qt finds a window system to start on: the platforms
// it is told to try and the display servers the session names.
struct WindowSystemEnvironment {
  std::string platform{};        // QT_QPA_PLATFORM: "name[:options]", ';' between fallbacks
  std::string display{};         // DISPLAY
  std::string waylandDisplay{};  // WAYLAND_DISPLAY
  std::string sessionType{};     // XDG_SESSION_TYPE
  bool waylandSocket = false;    // the default socket ($XDG_RUNTIME_DIR/wayland-0) is there
};

WindowSystemEnvironment CurrentWindowSystemEnvironment();

// False when every platform Qt would try needs a display server that the
// environment does not offer: Qt would end the process instead of starting.
// Without QT_QPA_PLATFORM Qt tries the desktop's platforms (X11, and Wayland
// in a Wayland session). Any other platform (offscreen, a frame buffer) is
// taken to start.
bool WindowSystemReachable(const WindowSystemEnvironment& environment);

}  // namespace cl
