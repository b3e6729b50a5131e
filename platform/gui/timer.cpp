#include "platform/gui/timer.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "platform/core/scheduler.h"
#include "platform/gui/application.h"
#include "platform/gui/handler_guard.h"

namespace cl {

namespace {

// Every live timer, for FireDueTimers. GUI thread only.
std::vector<TTimer*>& Timers() {
  static std::vector<TTimer*> timers;
  return timers;
}

}  // namespace

// Qt's timer only wakes the loop; whether the interval has passed is the
// scheduler's to say.
struct TTimer::Clock {
  QTimer wake;
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), clock_(std::make_unique<Clock>()) {
  clock_->wake.setTimerType(Qt::PreciseTimer);
  QObject::connect(&clock_->wake, &QTimer::timeout, [this] { CheckDue(); });
  Timers().push_back(this);
  Restart();
}

TTimer::~TTimer() {
  auto& timers = Timers();
  timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Restart();
}

void TTimer::Restart() {
  lastFired_ = win::CurrentScheduler().MonotonicMs();
  if (enabled_ && interval_ > 0 && QCoreApplication::instance() != nullptr) {
    clock_->wake.start(static_cast<int>(std::min<uint32_t>(interval_, 0x7FFFFFFF)));
  } else {
    clock_->wake.stop();
  }
}

void TTimer::CheckDue() {
  if (!enabled_ || interval_ == 0) return;
  const uint64_t now = win::CurrentScheduler().MonotonicMs();
  if (now - lastFired_ < interval_) return;
  lastFired_ = now;
  if (!OnTimer) return;
  // A copy: the handler may free the timer (and with it OnTimer).
  const std::function<void()> handler = OnTimer;
  RunGuarded(this, [&handler] { handler(); });
}

void FireDueTimers() {
  // A handler may free timers: walk a copy and skip the ones gone meanwhile.
  const std::vector<TTimer*> timers = Timers();
  for (TTimer* timer : timers) {
    const auto& live = Timers();
    if (std::find(live.begin(), live.end(), timer) != live.end()) timer->CheckDue();
  }
}

}  // namespace cl
