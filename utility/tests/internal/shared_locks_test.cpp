// The lock waits and the unique-name countdown on a clock the test controls.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/core/scheduler.h"
#include "utility/calendar.h"
#include "utility/number_texts.h"
#include "utility/shared_locks.h"
#include "utility/unique_names.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

namespace fs = std::filesystem;

class SharedLocksOnAManualClock : public testing::Test {
 protected:
  void SetUp() override {
    utl::StartSHRsrv();
    win::SetScheduler(&clock_);
  }
  void TearDown() override {
    win::SetScheduler(nullptr);
    utl::StopSHRsrv();
  }

  // The tick counter starts 50 ms before it wraps; the wall clock at noon.
  win::ManualScheduler clock_{0xFFFFFFFFull - 49, 1700000000 - 1700000000 % 86400 + 12 * 3600};
  const cl::testing::TempDirectory temp_;
  const fs::path dir_ = temp_.Path();
};

std::string Digits(std::uint64_t seed) { return utl::INTTOBASE32(8, seed); }

}  // namespace

TEST_F(SharedLocksOnAManualClock, LockWaitSleepsThroughTheWholeTimeoutAcrossACounterWrap) {
  const std::string lock = (dir_ / "subdir.smf").string();
  utl::Handle held = utl::noHandle;
  ASSERT_TRUE(utl::FlagFile(lock, held, 0));
  for (std::uint16_t timeout : {0, 1, 100, 1000}) {
    SCOPED_TRACE(timeout);
    const std::uint32_t start = win::GetTickCount();
    utl::Handle second = utl::noHandle;
    EXPECT_FALSE(utl::FlagFile(lock, second, timeout));
    // Time passes only by sleeping: a wait that spun would never end.
    const std::uint32_t waited = win::GetTickCount() - start;
    EXPECT_GT(waited, timeout);
    EXPECT_LE(waited, timeout + 6u);
  }
  utl::CLOSEHANDLE(held);
}

TEST_F(SharedLocksOnAManualClock, UniqueNameCountsDownPastTheDigitsOfEveryEntry) {
  const std::uint64_t now = static_cast<std::uint64_t>(utl::NOWASNAMESEED());
  for (std::uint64_t seed = now - 3; seed <= now; ++seed)
    std::ofstream(dir_ / (Digits(seed) + (seed % 2 ? ".abc" : "")));
  EXPECT_EQ(fs::path(utl::UniqueFile((dir_ / "x.txt").string(), 100, false)).filename(),
            Digits(now - 4) + ".txt");
  EXPECT_EQ(fs::path(utl::UniqueFile((dir_ / "y.txt").string(), 100, false)).filename(),
            Digits(now - 5) + ".txt");
}

TEST_F(SharedLocksOnAManualClock, UniqueDirSkipsOnlyDirectoriesOfThatName) {
  const std::uint64_t now = static_cast<std::uint64_t>(utl::NOWASNAMESEED());
  for (std::uint64_t seed = now - 2; seed <= now; ++seed) fs::create_directory(dir_ / Digits(seed));
  std::ofstream(dir_ / (Digits(now - 3) + ".txt"));
  EXPECT_EQ(fs::path(utl::UniqueDir((dir_ / "x").string(), 100, false)).filename(), Digits(now - 3));
  EXPECT_TRUE(fs::is_directory(dir_ / Digits(now - 3)));
  EXPECT_FALSE(fs::exists(dir_ / "subdir.smf"));
}
