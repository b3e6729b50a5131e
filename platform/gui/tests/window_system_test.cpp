#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/core/test_support/unused_x_display.h"
#include "platform/gui/window_system.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/x_server.h"

namespace {

// Display servers that answer on the names given, and note who was asked.
struct FakeServers {
  std::set<std::string> x11{};
  std::set<std::string> wayland{};
  mutable std::set<std::string> asked{};

  cl::DisplayServers Servers() const {
    return {[this](const std::string& name) { return asked.insert("x11 " + name), x11.count(name) == 1; },
            [this](const std::string& name) { return asked.insert("wayland " + name), wayland.count(name) == 1; }};
  }
};

TEST(WindowSystem, OnlyPlatformsWhoseServerAnswersOrThatNeedNoneStart) {
  struct Case {
    const char* name;
    cl::WindowSystemEnvironment environment;
    FakeServers servers;
    bool reachable;
  } const cases[] = {
      {"nothing named", {}, {}, false},
      {"an X display that answers", {.display = ":0"}, {.x11 = {":0"}}, true},
      {"an X display nobody serves", {.display = ":99"}, {.x11 = {":0"}}, false},
      {"xcb named, its display silent", {.platform = "xcb", .display = ":99"}, {.x11 = {":0"}}, false},
      {"xcb with options, its display answers", {.platform = "xcb:nograb", .display = ":1"}, {.x11 = {":1"}}, true},
      {"xcb without a display", {.platform = "xcb", .waylandDisplay = "w", .waylandPlugin = true},
       {.wayland = {"w"}}, false},
      {"a Wayland display outside a Wayland session",
       {.waylandDisplay = "wayland-1", .waylandPlugin = true}, {.wayland = {"wayland-1"}}, true},
      {"a Wayland session on its default socket", {.sessionType = "wayland", .waylandPlugin = true},
       {.wayland = {""}}, true},
      {"a Wayland compositor silent, X answers", {.display = ":0", .waylandDisplay = "w", .waylandPlugin = true},
       {.x11 = {":0"}}, true},
      {"a Wayland compositor silent, no X", {.display = ":9", .waylandDisplay = "w", .waylandPlugin = true}, {},
       false},
      {"Wayland answers but Qt has no plugin for it", {.waylandDisplay = "w"}, {.wayland = {"w"}}, false},
      {"Wayland named, its compositor silent", {.platform = "wayland", .waylandDisplay = "w", .waylandPlugin = true},
       {}, false},
      {"a connection handed over by the compositor",
       {.platform = "wayland-egl", .waylandSocket = true, .waylandPlugin = true}, {}, true},
      {"offscreen", {.platform = "offscreen"}, {}, true},
      {"a frame buffer", {.platform = "linuxfb:fb=/dev/fb0"}, {}, true},
      {"fallbacks, the last one starts", {.platform = "wayland;xcb;offscreen", .display = ":9"}, {}, true},
      {"fallbacks, none starts", {.platform = "wayland;xcb", .display = ":9", .waylandPlugin = true}, {}, false},
      {"fallbacks, X starts", {.platform = "wayland;xcb", .display = ":0"}, {.x11 = {":0"}}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cl::WindowSystemReachable(c.environment, c.servers.Servers()), c.reachable) << c.name;
}

TEST(WindowSystem, PlatformsThatNeedNoServerAskNone) {
  const FakeServers servers;
  for (const char* platform : {"offscreen", "minimal", "vnc"}) {
    EXPECT_TRUE(cl::WindowSystemReachable({.platform = platform, .display = ":0", .waylandDisplay = "w"},
                                          servers.Servers()));
  }
  EXPECT_TRUE(servers.asked.empty());
}

TEST(WindowSystem, AnXDisplayNobodyServesDoesNotAnswer) {
  const cl::DisplayServers servers = cl::RunningDisplayServers();
  EXPECT_FALSE(servers.x11(cl::testing::UnusedXDisplay()));
  EXPECT_FALSE(servers.x11(""));
  EXPECT_FALSE(servers.wayland("brannik-no-such-compositor"));
}

TEST(WindowSystemOnAnXServer, TheServerQtRunsOnAnswers) {
  cl::testing::EnsureGuiTestApplication();
  if (!cl::testing::OnAnXServer()) GTEST_SKIP() << "Qt does not run on X";
  const cl::WindowSystemEnvironment environment = cl::CurrentWindowSystemEnvironment();
  EXPECT_TRUE(cl::RunningDisplayServers().x11(environment.display));
  EXPECT_TRUE(cl::WindowSystemReachable(environment, cl::RunningDisplayServers()));
}

}  // namespace
