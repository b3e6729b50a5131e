#include "platform/gui/spin_edit.h"

#include <QSpinBox>
#include <algorithm>
#include <limits>
#include <optional>

#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

// An integer as typed, whatever the range.
std::optional<int32_t> TypedNumber(const QString& text) {
  bool ok = false;
  const qlonglong number = text.trimmed().toLongLong(&ok);
  if (!ok) return std::nullopt;
  return static_cast<int32_t>(std::clamp<qlonglong>(number, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The class library's spin edit takes any number typed and brings it into the
// range when the field is left; Qt's refuses a key that leaves the range.
class RangeSpinBox : public Bridged<QSpinBox> {
 public:
  using Bridged::Bridged;

 protected:
  QValidator::State validate(QString& input, int& pos) const override {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid) return state;
    return TypedNumber(input) ? QValidator::Intermediate : QValidator::Invalid;
  }
  void fixup(QString& input) const override {
    if (const auto number = TypedNumber(input))
      input = textFromValue(std::clamp(*number, minimum(), maximum()));
    else
      QSpinBox::fixup(input);
  }
};

QSpinBox* SpinOf(QWidget* widget) { return static_cast<QSpinBox*>(widget); }

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TWinControl(owner, new RangeSpinBox(this)) {
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

// What the field shows, brought into the range, as the class library reads
// it: a number typed beyond the range counts before the field is left.
int32_t TSpinEdit::Value() const {
  const QSpinBox* spin = SpinOf(Widget());
  if (const auto typed = TypedNumber(spin->cleanText())) return std::clamp(*typed, minValue_, maxValue_);
  return spin->value();
}

std::string TSpinEdit::Text() const { return FromQString(SpinOf(Widget())->text()); }

void TSpinEdit::SetValue(int32_t value) { SpinOf(Widget())->setValue(std::clamp(value, minValue_, maxValue_)); }

void TSpinEdit::SetIncrement(int32_t increment) {
  increment_ = increment;
  SpinOf(Widget())->setSingleStep(increment);
}

}  // namespace cl
