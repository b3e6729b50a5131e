#include "platform/gui/window_system.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace cl {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

bool Reaches(std::string_view platform, const WindowSystemEnvironment& environment) {
  const std::string_view name = platform.substr(0, platform.find(':'));
  if (name == "xcb") return !environment.display.empty();
  if (name.starts_with("wayland")) return !environment.waylandDisplay.empty() || environment.waylandSocket;
  return true;
}

}  // namespace

WindowSystemEnvironment CurrentWindowSystemEnvironment() {
  WindowSystemEnvironment environment{Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"),
                                      Variable("XDG_SESSION_TYPE")};
  if (const std::string runtime = Variable("XDG_RUNTIME_DIR"); !runtime.empty()) {
    std::error_code ignored;
    environment.waylandSocket = std::filesystem::exists(std::filesystem::path(runtime) / "wayland-0", ignored);
  }
  return environment;
}

bool WindowSystemReachable(const WindowSystemEnvironment& environment) {
  if (environment.platform.empty()) {
    return Reaches("xcb", environment) || (environment.sessionType == "wayland" && Reaches("wayland", environment));
  }
  std::string_view platforms = environment.platform;
  for (;;) {
    const auto end = platforms.find(';');
    const std::string_view platform = platforms.substr(0, end);
    if (!platform.empty() && Reaches(platform, environment)) return true;
    if (end == std::string_view::npos) return false;
    platforms.remove_prefix(end + 1);
  }
}

}  // namespace cl
