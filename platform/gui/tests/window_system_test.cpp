#include <gtest/gtest.h>

#include "platform/gui/window_system.h"

TEST(WindowSystem, OnlyPlatformsWhoseDisplayServerIsNamedOrThatNeedNoneStart) {
  struct Case {
    const char* name;
    cl::WindowSystemEnvironment environment;
    bool reachable;
  } const cases[] = {
      {"nothing named", {}, false},
      {"X display", {.display = ":0"}, true},
      {"Wayland display outside a Wayland session", {.waylandDisplay = "wayland-1"}, false},
      {"Wayland session", {.waylandDisplay = "wayland-1", .sessionType = "wayland"}, true},
      {"Wayland session on its default socket", {.sessionType = "wayland", .waylandSocket = true}, true},
      {"xcb without a display", {.platform = "xcb", .waylandDisplay = "wayland-1", .sessionType = "wayland"}, false},
      {"xcb with options and a display", {.platform = "xcb:nograb", .display = ":1"}, true},
      {"Wayland without a display", {.platform = "wayland"}, false},
      {"wayland-egl with a display", {.platform = "wayland-egl", .waylandDisplay = "wayland-0"}, true},
      {"offscreen", {.platform = "offscreen"}, true},
      {"a frame buffer", {.platform = "linuxfb:fb=/dev/fb0"}, true},
      {"fallbacks, the last one starts", {.platform = "wayland;xcb;offscreen"}, true},
      {"fallbacks, none starts", {.platform = "wayland;xcb"}, false},
      {"fallbacks, X starts", {.platform = "wayland;xcb", .display = ":0"}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(cl::WindowSystemReachable(c.environment), c.reachable) << c.name;
}
