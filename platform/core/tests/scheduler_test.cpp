#include "platform/core/scheduler.h"

#include <gtest/gtest.h>

#include "platform/core/environment.h"
#include "platform/core/message_hooks.h"
#include "platform/core/places.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

using namespace win;
using cl::testing::TempDirectory;

TEST(Scheduler, TickCounterIsTheInstalledClockTruncatedTo32Bits) {
  ManualScheduler clock((std::uint64_t(1) << 32) - 10);
  SetScheduler(&clock);
  EXPECT_EQ(GetTickCount(), 0xFFFFFFF6u);
  clock.Advance(15);
  EXPECT_EQ(GetTickCount(), 5u);  // wrapped like Windows' counter
  Sleep(100);
  EXPECT_EQ(GetTickCount(), 105u);
  SetScheduler(nullptr);
  const auto a = GetTickCount();
  Sleep(20);
  EXPECT_GE(GetTickCount() - a, 20u);
}

TEST(Scheduler, LocalTimeFollowsTheInstalledWallClock) {
  setenv("TZ", "UTC", 1);
  tzset();
  ManualScheduler clock(0, 951782400);  // 29 February 2000 0:00 UTC
  SetScheduler(&clock);
  clock.Advance(((23 * 60 + 59) * 60 + 59) * 1000 + 999);
  const SystemTime t = GetLocalTime();
  EXPECT_EQ(t.year, 2000);
  EXPECT_EQ(t.month, 2);
  EXPECT_EQ(t.day, 29);
  EXPECT_EQ(t.hour, 23);
  EXPECT_EQ(t.second, 59);
  EXPECT_EQ(t.milliseconds, 999);
  SetScheduler(nullptr);
}

TEST(MessageHooks, PumpAndBeepRunTheInstalledHooks) {
  int pumped = 0, beeped = 0;
  SetMessagePumpHook([&] { ++pumped; });
  SetBeepHook([&] { ++beeped; });
  PumpMessages();
  MessageBeep();
  SetMessagePumpHook(nullptr);
  SetBeepHook(nullptr);
  EXPECT_EQ(pumped, 1);
  EXPECT_EQ(beeped, 1);
  // Without a GUI the pump sleeps through the scheduler.
  ManualScheduler clock;
  SetScheduler(&clock);
  PumpMessages();
  EXPECT_GT(GetTickCount(), 0u);
  SetScheduler(nullptr);
}

TEST(Environment, ExactNameFirstThenAnyCase) {
  setenv("BRANNIK_TEST_VAR", "exact", 1);
  setenv("brannik_test_var", "lower", 1);
  setenv("Brannik_Other", "\xC4\x8D", 1);  // č in UTF-8
  EXPECT_EQ(GetEnvironmentVariable("BRANNIK_TEST_VAR"), "exact");
  EXPECT_EQ(GetEnvironmentVariable("brannik_test_var"), "lower");
  EXPECT_EQ(GetEnvironmentVariable("BRANNIK_OTHER"), "\xE8");
  EXPECT_EQ(GetEnvironmentVariable("BRANNIK_UNSET_VAR"), std::nullopt);
  unsetenv("BRANNIK_TEST_VAR");
  unsetenv("brannik_test_var");
  unsetenv("Brannik_Other");
}

TEST(Places, WindowsDirectoryFollowsTheEnvironmentAndIsMade) {
  TempDirectory dir;
  setenv("BRANNIK_WINDIR", (dir / "win").c_str(), 1);
  EXPECT_EQ(GetWindowsDirectory(), dir / "win");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "win"));
  unsetenv("BRANNIK_WINDIR");
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = oldXdg ? oldXdg : "";
  setenv("XDG_CONFIG_HOME", (dir / "cfg/deep").c_str(), 1);
  EXPECT_EQ(GetWindowsDirectory(), dir / "cfg/deep/brannik");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "cfg/deep/brannik"));
  if (oldXdg) setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
}

TEST(Places, ModuleFileNameIsTheRunningProgram) {
  EXPECT_EQ(GetModuleFileName(), std::filesystem::read_symlink("/proc/self/exe").string());
}

}  // namespace
