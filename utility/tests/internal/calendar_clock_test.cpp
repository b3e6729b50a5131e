// The calendar's clock-driven routines against a scheduler the test moves.
#include <gtest/gtest.h>

#include "platform/core/message_hooks.h"
#include "platform/core/scheduler.h"
#include "utility/calendar.h"

namespace {

class ManualClock : public ::testing::Test {
 protected:
  void SetUp() override { win::SetScheduler(&clock); }
  void TearDown() override {
    win::SetScheduler(nullptr);
    win::SetMessagePumpHook(nullptr);
  }
  win::ManualScheduler clock{(std::uint64_t(1) << 32) - 50};
};

TEST_F(ManualClock, TickDifferenceIsModularAcrossTheWrap) {
  const std::uint32_t start = utl::GETRELATIVETIME();
  clock.Advance(120);  // the 32-bit counter wraps after 50
  EXPECT_LT(utl::GETRELATIVETIME(), start);
  EXPECT_EQ(utl::TICKDIFFERENCE(start), 120u);
  EXPECT_TRUE(utl::WAITINGFOR(start, 121));
  EXPECT_FALSE(utl::WAITINGFOR(start, 120));
}

TEST_F(ManualClock, DelayPumpsMessagesUntilMoreThanTheTimeHasPassed) {
  int pumps = 0;
  win::SetMessagePumpHook([&] { ++pumps; });
  const std::uint32_t start = utl::GETRELATIVETIME();
  utl::DELAY(100);  // runs across the counter's wrap
  const std::uint32_t waited = utl::GETRELATIVETIME() - start;
  EXPECT_GT(waited, 100u);
  EXPECT_LE(waited, 111u);  // no restart at the wrap
  EXPECT_GE(pumps, 10);     // sleeps are short, messages keep flowing
  utl::DELAY(0);
  EXPECT_GT(utl::GETRELATIVETIME() - start, waited);
}

// Counts clock reads between sleeps. A waiter that spins instead of sleeping
// is let out by a jump of the clock after many reads, so it fails, not hangs.
class SpinCountingScheduler : public win::ManualScheduler {
 public:
  std::uint64_t MonotonicMs() override {
    if (++readsSinceSleep_ > mostReadsBetweenSleeps) mostReadsBetweenSleeps = readsSinceSleep_;
    if (readsSinceSleep_ > 10000) Advance(1000000);
    return ManualScheduler::MonotonicMs();
  }
  void Sleep(std::uint32_t ms) override {
    readsSinceSleep_ = 0;
    sleptMs += ms;
    ManualScheduler::Sleep(ms);
  }
  int mostReadsBetweenSleeps = 0;
  std::uint64_t sleptMs = 0;

 private:
  int readsSinceSleep_ = 0;
};

TEST_F(ManualClock, DelaySleepsThroughTheWaitInsteadOfSpinning) {
  SpinCountingScheduler counting;
  win::SetScheduler(&counting);
  win::SetMessagePumpHook([] {});
  const std::uint32_t start = utl::GETRELATIVETIME();
  utl::DELAY(200);
  EXPECT_LE(utl::GETRELATIVETIME() - start, 211u);
  EXPECT_LT(counting.mostReadsBetweenSleeps, 5);  // a few reads a sleep
  EXPECT_GT(counting.sleptMs, 200u);
}

TEST_F(ManualClock, CurrentDateAndTimeComeFromTheScheduler) {
  setenv("TZ", "UTC", 1);
  tzset();
  win::ManualScheduler wall(0, 1709251199);  // 29 February 2024 23:59:59 UTC
  win::SetScheduler(&wall);
  utl::tDateTimeRec r{};
  utl::UNPACKTIME(utl::GETPACKEDDATETIME(), r);
  EXPECT_EQ(r.year, 2024);
  EXPECT_EQ(r.month, 2);
  EXPECT_EQ(r.day, 29);
  EXPECT_EQ(r.second, 58);
  EXPECT_EQ(utl::NOWASTEXT(), "29.2.2024 23:59");
  EXPECT_EQ(utl::GETHOUR(), 23);
  EXPECT_EQ(utl::NOWASNAMESEED(), (std::int64_t(45351) << 27) | 86399000);
  wall.Advance(1500);
  EXPECT_EQ(utl::NOWASTEXT(), "1.3.2024 00:00");
  EXPECT_EQ(utl::GETDAYSSINCE1980(), utl::DATE2DAYS(2024, 3, 1));
  win::ManualScheduler future(0, 4102444800);  // 1 January 2100
  win::SetScheduler(&future);
  EXPECT_EQ(utl::GETPACKEDDATETIME(), 0u);
  unsetenv("TZ");
  tzset();
}

}  // namespace
