#include "platform/gui/timer.h"

#include <QCoreApplication>
#include <QTimer>

namespace cl {

struct TTimer::Impl {
  QTimer timer;
};

TTimer::TTimer() : impl_(std::make_unique<Impl>()) {
  QObject::connect(&impl_->timer, &QTimer::timeout, [this] {
    if (OnTimer) OnTimer();
  });
  Update();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void TTimer::SetInterval(uint32_t interval) {
  interval_ = interval;
  Update();
}

void TTimer::Update() {
  impl_->timer.stop();
  if (enabled_ && interval_ > 0 && QCoreApplication::instance()) impl_->timer.start(static_cast<int>(interval_));
}

}  // namespace cl
