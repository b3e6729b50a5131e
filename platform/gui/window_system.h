#pragma once

#include <functional>
#include <string>

namespace cl {

// What decides whether Qt finds a window system to start on: the platforms
// it is told to try and the display servers the session names.
struct WindowSystemEnvironment {
  std::string platform{};        // QT_QPA_PLATFORM: "name[:options]", ';' between fallbacks
  std::string display{};         // DISPLAY
  std::string waylandDisplay{};  // WAYLAND_DISPLAY
  std::string sessionType{};     // XDG_SESSION_TYPE
  bool waylandSocket = false;    // WAYLAND_SOCKET: a compositor handed over its connection
  bool waylandPlugin = false;    // Qt has a Wayland platform plugin to load
};

WindowSystemEnvironment CurrentWindowSystemEnvironment();

// Whether a display server answers on the display named: each connects and
// hangs up again.
struct DisplayServers {
  std::function<bool(const std::string& display)> x11;
  // An empty name asks the default socket.
  std::function<bool(const std::string& display)> wayland;
};

// The servers as they are: libxcb and libwayland-client.
DisplayServers RunningDisplayServers();

// False when no platform Qt would try can start: Qt would end the process
// instead. Without QT_QPA_PLATFORM Qt tries Wayland where the session names
// it, then X11. X11 and Wayland start when their server answers; any other
// platform (offscreen, a frame buffer) is taken to start.
bool WindowSystemReachable(const WindowSystemEnvironment& environment, const DisplayServers& servers);

}  // namespace cl
