#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/core/scheduler.h"
#include "platform/gui/application.h"
#include "platform/gui/timer.h"
#include "window_fixture.h"

namespace {

namespace t = cl::testing;

TEST(Timer, FiresWhileEnabledAndStopsWhenDisabled) {
  cl::EnsureQtApplication();
  cl::TTimer timer;
  timer.SetEnabled(false);
  timer.SetInterval(5);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 40) QCoreApplication::processEvents();
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  clock.restart();
  while (ticks < 2 && clock.elapsed() < 5000) QCoreApplication::processEvents();
  EXPECT_GE(ticks, 2);
  timer.SetEnabled(false);
  const int stopped = ticks;
  clock.restart();
  while (clock.elapsed() < 40) QCoreApplication::processEvents();
  EXPECT_EQ(ticks, stopped);
}

class TimerTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::SetScheduler(&clock);
  }
  void TearDown() override {
    win::SetScheduler(nullptr);
    WindowTest::TearDown();
  }
  win::ManualScheduler clock{1000};
};

TEST_F(TimerTest, ATimerFiresOnlyWhenTheClockHasMovedByItsInterval) {
  auto* timer = cl::Make<cl::TTimer>(*form);
  timer->SetInterval(200);
  int fired = 0;
  timer->OnTimer = [&] { ++fired; };
  t::ProcessEvents();
  clock.Advance(199);
  t::ProcessEvents();
  EXPECT_EQ(fired, 0);
  clock.Advance(1);
  t::ProcessEvents();
  EXPECT_EQ(fired, 1);
  // A long stall gives one tick, not a burst to catch up.
  clock.Advance(1000);
  t::ProcessEvents();
  t::ProcessEvents();
  EXPECT_EQ(fired, 2);
  // Disabled it stays quiet; enabled again it counts from then.
  timer->SetEnabled(false);
  clock.Advance(500);
  t::ProcessEvents();
  EXPECT_EQ(fired, 2);
  timer->SetEnabled(true);
  clock.Advance(150);
  t::ProcessEvents();
  EXPECT_EQ(fired, 2);
  clock.Advance(50);
  t::ProcessEvents();
  EXPECT_EQ(fired, 3);
}

TEST_F(TimerTest, ATimerMayFreeItselfAndOthersInItsHandler) {
  auto* first = cl::Make<cl::TTimer>(*form);
  auto* second = cl::Make<cl::TTimer>(*form);
  first->SetInterval(100);
  second->SetInterval(100);
  int secondFired = 0;
  second->OnTimer = [&] { ++secondFired; };
  first->OnTimer = [&] {
    cl::FreeComponent(second);
    cl::FreeComponent(first);
  };
  clock.Advance(100);
  t::ProcessEvents();
  EXPECT_EQ(secondFired, 0);
  EXPECT_EQ(form->ComponentCount(), 0);
}

}  // namespace
