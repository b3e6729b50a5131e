#include "platform/gui/check_box.h"

#include <QCheckBox>
#include <QRadioButton>

#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner, new Bridged<QCheckBox>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
  auto* box = static_cast<QCheckBox*>(Widget());
  QObject::connect(box, &QCheckBox::clicked, [this, box](bool checked) {
    RunGuarded(this, [&] {
      // Qt has already toggled the box; the change goes through SetChecked.
      const QSignalBlocker block(box);
      box->setChecked(checked_);
      SetChecked(checked);
    });
  });
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  auto* box = static_cast<QCheckBox*>(Widget());
  const QSignalBlocker block(box);
  box->setChecked(checked);
  Click();
}

void TCheckBox::CaptionChanged() { static_cast<QCheckBox*>(Widget())->setText(ToQString(Caption())); }

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner, new Bridged<QRadioButton>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 113, 17);
  auto* radio = static_cast<QRadioButton*>(Widget());
  radio->setAutoExclusive(false);
  QObject::connect(radio, &QRadioButton::clicked, [this, radio] {
    RunGuarded(this, [&] {
      const QSignalBlocker block(radio);
      radio->setChecked(checked_);
      SetChecked(true);
    });
  });
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  auto* radio = static_cast<QRadioButton*>(Widget());
  const QSignalBlocker block(radio);
  radio->setChecked(checked);
  if (checked) Click();
}

void TRadioButton::CaptionChanged() { static_cast<QRadioButton*>(Widget())->setText(ToQString(Caption())); }

}  // namespace cl
