#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

#include "platform/core/scheduler.h"
#include "platform/gui/application.h"
#include "platform/gui/timer.h"
#include "window_fixture.h"

namespace {

namespace t = cl::testing;

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

// Qt's own loop, without ProcessMessages, wakes an enabled timer; waits have a
// deadline and look for a tick that has to come.
bool SpinQtUntil(const std::function<bool()>& done) {
  QElapsedTimer deadline;
  deadline.start();
  while (!done()) {
    if (deadline.elapsed() > 10000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

TEST_F(TimerTest, QtsLoopWakesEnabledTimersOnly) {
  auto* timer = cl::Make<cl::TTimer>(*form);
  timer->SetInterval(5);
  // Its wake comes after the timer's would have: when it has ticked, a
  // disabled timer still woken would have ticked first.
  auto* witness = cl::Make<cl::TTimer>(*form);
  witness->SetInterval(20);
  int ticks = 0, witnessed = 0;
  timer->OnTimer = [&] { ++ticks; };
  witness->OnTimer = [&] { ++witnessed; };
  timer->SetEnabled(false);
  clock.Advance(20);
  ASSERT_TRUE(SpinQtUntil([&] { return witnessed == 1; }));
  EXPECT_EQ(ticks, 0);
  timer->SetEnabled(true);
  clock.Advance(5);
  ASSERT_TRUE(SpinQtUntil([&] { return ticks == 1; }));
  clock.Advance(5);
  ASSERT_TRUE(SpinQtUntil([&] { return ticks == 2; }));
  timer->SetEnabled(false);
  witness->SetEnabled(false);
  witness->SetEnabled(true);
  clock.Advance(20);
  ASSERT_TRUE(SpinQtUntil([&] { return witnessed == 2; }));
  EXPECT_EQ(ticks, 2);
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
