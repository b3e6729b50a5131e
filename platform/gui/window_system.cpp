#include "platform/gui/window_system.h"

#include <wayland-client-core.h>
#include <xcb/xcb.h>

#include <QLibraryInfo>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

namespace cl {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

// Where Qt looks for its platform plugins.
std::vector<std::filesystem::path> PlatformPluginFolders() {
  std::vector<std::filesystem::path> folders;
  if (const std::string own = Variable("QT_QPA_PLATFORM_PLUGIN_PATH"); !own.empty()) folders.emplace_back(own);
  const std::string pluginPaths = Variable("QT_PLUGIN_PATH");
  std::string_view paths = pluginPaths;
  while (!paths.empty()) {
    const auto end = paths.find(':');
    if (const std::string_view path = paths.substr(0, end); !path.empty())
      folders.push_back(std::filesystem::path(path) / "platforms");
    if (end == std::string_view::npos) break;
    paths.remove_prefix(end + 1);
  }
  folders.push_back(std::filesystem::path(QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString()) / "platforms");
  return folders;
}

bool HasWaylandPlugin() {
  for (const auto& folder : PlatformPluginFolders()) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      if (it->path().filename().string().starts_with("libqwayland")) return true;
    }
  }
  return false;
}

bool Reaches(std::string_view platform, const WindowSystemEnvironment& environment, const DisplayServers& servers) {
  const std::string_view name = platform.substr(0, platform.find(':'));
  if (name == "xcb") return !environment.display.empty() && servers.x11(environment.display);
  if (name.starts_with("wayland")) {
    if (!environment.waylandPlugin) return false;
    // The handed-over connection can be taken once only: Qt's.
    return environment.waylandSocket || servers.wayland(environment.waylandDisplay);
  }
  return true;
}

}  // namespace

WindowSystemEnvironment CurrentWindowSystemEnvironment() {
  return {Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"),         Variable("WAYLAND_DISPLAY"),
          Variable("XDG_SESSION_TYPE"), !Variable("WAYLAND_SOCKET").empty(), HasWaylandPlugin()};
}

DisplayServers RunningDisplayServers() {
  return {
      [](const std::string& display) {
        xcb_connection_t* const connection = xcb_connect(display.c_str(), nullptr);
        const bool answers = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        return answers;
      },
      [](const std::string& display) {
        wl_display* const connection = wl_display_connect(display.empty() ? nullptr : display.c_str());
        if (connection == nullptr) return false;
        wl_display_disconnect(connection);
        return true;
      },
  };
}

bool WindowSystemReachable(const WindowSystemEnvironment& environment, const DisplayServers& servers) {
  if (environment.platform.empty()) {
    const bool waylandNamed = !environment.waylandDisplay.empty() || environment.sessionType == "wayland";
    return (waylandNamed && Reaches("wayland", environment, servers)) || Reaches("xcb", environment, servers);
  }
  std::string_view platforms = environment.platform;
  for (;;) {
    const auto end = platforms.find(';');
    const std::string_view platform = platforms.substr(0, end);
    if (!platform.empty() && Reaches(platform, environment, servers)) return true;
    if (end == std::string_view::npos) return false;
    platforms.remove_prefix(end + 1);
  }
}

}  // namespace cl
