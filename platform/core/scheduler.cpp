#include "platform/core/scheduler.h"

#include <cerrno>
#include <time.h>

namespace win {

namespace {

class SystemScheduler : public Scheduler {
 public:
  std::uint64_t MonotonicMs() override {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::uint64_t(ts.tv_sec) * 1000 + std::uint64_t(ts.tv_nsec) / 1000000;
  }
  std::time_t WallClock(int* milliseconds) override {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    if (milliseconds) *milliseconds = int(ts.tv_nsec / 1000000);
    return ts.tv_sec;
  }
  void Sleep(std::uint32_t ms) override {
    timespec left{time_t(ms / 1000), long(ms % 1000) * 1000000};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
  }
};

SystemScheduler systemScheduler;
// The installed replacement; process-wide like the clock it stands for.
Scheduler* installed = nullptr;

}  // namespace

Scheduler& CurrentScheduler() { return installed ? *installed : systemScheduler; }

void SetScheduler(Scheduler* scheduler) { installed = scheduler; }

std::uint32_t GetTickCount() { return static_cast<std::uint32_t>(CurrentScheduler().MonotonicMs()); }

void Sleep(std::uint32_t ms) { CurrentScheduler().Sleep(ms); }

SystemTime GetLocalTime() {
  int ms = 0;
  const std::time_t now = CurrentScheduler().WallClock(&ms);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
          local.tm_min,         local.tm_sec,     ms};
}

std::time_t ManualScheduler::WallClock(int* milliseconds) {
  const std::uint64_t wall = wallStartMs_ + (monotonic_ - startMs_);
  if (milliseconds) *milliseconds = int(wall % 1000);
  return std::time_t(wall / 1000);
}

}  // namespace win
