#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/gui/component.h"

namespace cl {

// The class library's timer. Time is the scheduler's (platform/core): under
// a test's manual clock a timer fires only when the clock has moved on by its
// interval and messages are processed. Like Windows' timers it never fires
// twice to catch up. OnTimer runs inside the handler guard. Qt's loop wakes
// it only when a Qt application existed when it was started.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner = nullptr);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Milliseconds; 0 stops the timer as Enabled false does.
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t interval);

  std::function<void()> OnTimer;

  // Fires when due by the scheduler's clock; the loop and the tests call it.
  void CheckDue();

 private:
  void Restart();

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  uint64_t lastFired_ = 0;
  struct Clock;
  std::unique_ptr<Clock> clock_;
};

// Fires every timer that is due (TApplication::ProcessMessages calls it).
void FireDueTimers();

}  // namespace cl
