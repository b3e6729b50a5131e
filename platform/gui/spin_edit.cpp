#include "platform/gui/spin_edit.h"

#include <QSpinBox>
#include <algorithm>

#include "platform/gui/control_widget.h"

namespace cl {

namespace {

QSpinBox* SpinOf(QWidget* widget) { return static_cast<QSpinBox*>(widget); }

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TWinControl(owner, new Bridged<QSpinBox>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 121, 22);
  SetColor(clWindow);
  QSpinBox* spin = SpinOf(Widget());
  spin->setRange(minValue_, maxValue_);
  QObject::connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), [this] {
    RunGuarded(this, [this] {
      if (OnChange) OnChange(this);
    });
  });
}

void TSpinEdit::SetRange(int32_t minValue, int32_t maxValue) {
  minValue_ = minValue;
  maxValue_ = std::max(minValue, maxValue);
  SpinOf(Widget())->setRange(minValue_, maxValue_);
}

int32_t TSpinEdit::Value() const { return SpinOf(Widget())->value(); }

void TSpinEdit::SetValue(int32_t value) { SpinOf(Widget())->setValue(std::clamp(value, minValue_, maxValue_)); }

void TSpinEdit::SetIncrement(int32_t increment) {
  increment_ = increment;
  SpinOf(Widget())->setSingleStep(increment);
}

}  // namespace cl
