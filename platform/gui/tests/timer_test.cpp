#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/gui/application.h"
#include "platform/gui/timer.h"

namespace {

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

}  // namespace
