#include "platform/gui/scroll_bar.h"

#include <QScrollBar>
#include <algorithm>

#include "platform/gui/control_hooks.h"
#include "platform/gui/control_widget.h"

namespace cl {

namespace {

QScrollBar* BarOf(QWidget* widget) { return static_cast<QScrollBar*>(widget); }

// Qt's slider actions as Windows' notifications.
bool CodeOf(int action, TScrollCode& code) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; return true;
    case QAbstractSlider::SliderSingleStepSub: code = scLineUp; return true;
    case QAbstractSlider::SliderPageStepAdd: code = scPageDown; return true;
    case QAbstractSlider::SliderPageStepSub: code = scPageUp; return true;
    case QAbstractSlider::SliderToMinimum: code = scTop; return true;
    case QAbstractSlider::SliderToMaximum: code = scBottom; return true;
    case QAbstractSlider::SliderMove: code = scTrack; return true;
    default: return false;
  }
}

}  // namespace

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner, new Bridged<QScrollBar>(this, Qt::Horizontal)) {
  SetBounds(0, 0, 121, 16);
  QScrollBar* bar = BarOf(Widget());
  bar->setFocusPolicy(Qt::NoFocus);
  ApplyRange();
  QObject::connect(bar, &QAbstractSlider::actionTriggered, [this, bar](int action) {
    TScrollCode code;
    if (!CodeOf(action, code)) return;
    RunGuarded(this, [&] {
      if (code == scTrack) {
        trackPos_ = bar->sliderPosition();
        tracking_ = true;
      }
      ScrollNotify(code);
    });
    // Qt applies the slider position after this signal: it must be ours.
    bar->setSliderPosition(info_.Pos);
  });
  QObject::connect(bar, &QAbstractSlider::sliderReleased, [this, bar] {
    RunGuarded(this, [&] {
      trackPos_ = bar->sliderPosition();
      tracking_ = true;
      ScrollNotify(scPosition);
      tracking_ = false;
      ScrollNotify(scEndScroll);
    });
    bar->setSliderPosition(info_.Pos);
  });
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  BarOf(Widget())->setOrientation(kind == sbVertical ? Qt::Vertical : Qt::Horizontal);
  SetBounds(Left(), Top(), Height(), Width());
}

int32_t TScrollBar::MaxPosition() const {
  const int64_t top = info_.Page > 0 ? int64_t(info_.Max) - int64_t(info_.Page) + 1 : info_.Max;
  return static_cast<int32_t>(std::max<int64_t>(info_.Min, top));
}

void TScrollBar::SetScrollInfo(const TScrollInfo& info, uint32_t mask) {
  const TScrollInfo before = info_;
  if (mask & SIF_RANGE) {
    info_.Min = info.Min;
    info_.Max = std::max(info.Min, info.Max);
  }
  if (mask & SIF_PAGE) info_.Page = info.Page;
  // Windows keeps the page within the range's size.
  const int64_t span = int64_t(info_.Max) - int64_t(info_.Min) + 1;
  if (int64_t(info_.Page) > span) info_.Page = static_cast<uint32_t>(span);
  if (mask & SIF_POS) info_.Pos = info.Pos;
  info_.Pos = std::clamp(info_.Pos, info_.Min, MaxPosition());
  if (before.Min != info_.Min || before.Max != info_.Max || before.Page != info_.Page) ApplyRange();
  if (before.Pos != info_.Pos) {
    ApplyPosition();
    Change();
  }
}

TScrollInfo TScrollBar::GetScrollInfo() const {
  TScrollInfo info = info_;
  info.TrackPos = tracking_ ? trackPos_ : info_.Pos;
  return info;
}

void TScrollBar::SetPageSize(uint32_t page) {
  TScrollInfo info;
  info.Page = page;
  SetScrollInfo(info, SIF_PAGE);
}

void TScrollBar::SetPosition(int32_t position) {
  TScrollInfo info;
  info.Pos = position;
  SetScrollInfo(info, SIF_POS);
}

void TScrollBar::SetParams(int32_t position, int32_t min, int32_t max) {
  TScrollInfo info;
  info.Min = min;
  info.Max = max;
  info.Pos = position;
  SetScrollInfo(info, SIF_RANGE | SIF_POS);
}

void TScrollBar::ApplyRange() {
  QScrollBar* bar = BarOf(Widget());
  const QSignalBlocker block(bar);
  bar->setRange(info_.Min, MaxPosition());
  bar->setPageStep(static_cast<int>(std::max<uint32_t>(info_.Page, 1)));
  bar->setSingleStep(std::max(1, smallChange_));
  bar->setValue(info_.Pos);
}

void TScrollBar::ApplyPosition() {
  QScrollBar* bar = BarOf(Widget());
  const QSignalBlocker block(bar);
  if (!bar->isSliderDown()) bar->setValue(info_.Pos);
}

void TScrollBar::ScrollNotify(TScrollCode code) {
  int pos = info_.Pos;
  switch (code) {
    case scLineUp: pos -= smallChange_; break;
    case scLineDown: pos += smallChange_; break;
    case scPageUp: pos -= largeChange_; break;
    case scPageDown: pos += largeChange_; break;
    case scPosition:
    case scTrack: pos = GetScrollInfo().TrackPos; break;
    case scTop: pos = info_.Min; break;
    case scBottom: pos = info_.Max; break;
    default: break;
  }
  pos = std::clamp(pos, info_.Min, info_.Max);
  Scroll(code, pos);
  SetPosition(pos);
}

void TScrollBar::TrackTo(int32_t position) {
  trackPos_ = position;
  tracking_ = true;
  ScrollNotify(scTrack);
  tracking_ = false;
}

void TScrollBar::WheelScroll(int wheelDelta) {
  wheelRest_ += wheelDelta;
  const int notches = wheelRest_ / 120;
  wheelRest_ -= notches * 120;
  const int steps = notches * 3;
  for (int i = 0; i < std::abs(steps); ++i) ScrollNotify(steps > 0 ? scLineUp : scLineDown);
  if (steps != 0) ScrollNotify(scEndScroll);
}

void TScrollBar::Scroll(TScrollCode code, int& scrollPos) {
  if (OnScroll) OnScroll(this, code, scrollPos);
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

bool WheelScrollsBar(TControl& control, int wheelDelta) {
  auto* bar = dynamic_cast<TScrollBar*>(&control);
  if (bar == nullptr || bar->Kind() != sbVertical || !bar->Visible()) return false;
  bar->WheelScroll(wheelDelta);
  return true;
}

}  // namespace cl
