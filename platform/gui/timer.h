#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace cl {

// The class library's timer: OnTimer runs on the GUI thread every Interval
// milliseconds while Enabled. Without a Qt application it never fires.
class TTimer {
 public:
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  uint32_t Interval() const { return interval_; }
  // Restarts the count when enabled.
  void SetInterval(uint32_t interval);

  std::function<void()> OnTimer;

 private:
  void Update();
  struct Impl;
  std::unique_ptr<Impl> impl_;
  bool enabled_ = true;
  uint32_t interval_ = 1000;
};

}  // namespace cl
