#pragma once

#include <cstdint>
#include <ctime>

namespace win {

// The one source of time for the layer: the monotonic clock behind the tick
// counter, the wall clock, and sleeping. Tests install their own to advance
// time at will.
class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // Milliseconds of CLOCK_MONOTONIC.
  virtual std::uint64_t MonotonicMs() = 0;
  // Seconds since 1970 and the milliseconds within the second.
  virtual std::time_t WallClock(int* milliseconds) = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

// The scheduler in use: the system's unless a test installed another.
Scheduler& CurrentScheduler();
// Installs a scheduler (the caller keeps it alive); nullptr restores the system's.
void SetScheduler(Scheduler* scheduler);

// Milliseconds since an arbitrary start, truncated to 32 bits (wraps).
std::uint32_t GetTickCount();
void Sleep(std::uint32_t ms);

struct SystemTime {
  int year, month, day, hour, minute, second, milliseconds;
};
// Local time now.
SystemTime GetLocalTime();

// A scheduler whose time moves only when told to, or when slept through.
class ManualScheduler : public Scheduler {
 public:
  explicit ManualScheduler(std::uint64_t startMs = 0, std::time_t wallStart = 0)
      : monotonic_(startMs), wallStartMs_(std::uint64_t(wallStart) * 1000), startMs_(startMs) {}
  std::uint64_t MonotonicMs() override { return monotonic_; }
  std::time_t WallClock(int* milliseconds) override;
  void Sleep(std::uint32_t ms) override { monotonic_ += ms; }
  void Advance(std::uint64_t ms) { monotonic_ += ms; }

 private:
  std::uint64_t monotonic_;
  std::uint64_t wallStartMs_;
  std::uint64_t startMs_;
};

}  // namespace win
