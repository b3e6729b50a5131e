#include "platform/gui/button.h"

#include <QPushButton>

#include "platform/gui/control_widget.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

QPushButton* ButtonOf(QWidget* widget) { return static_cast<QPushButton*>(widget); }

}  // namespace

TButton::TButton(TComponent* owner) : TWinControl(owner, new Bridged<QPushButton>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
  // Enter and Esc are the form's (DialogKey), never Qt's auto-default.
  ButtonOf(Widget())->setAutoDefault(false);
  QObject::connect(ButtonOf(Widget()), &QPushButton::clicked, [this] { RunGuarded(this, [this] { Click(); }); });
}

void TButton::SetDefault(bool value) {
  default_ = value;
  ButtonOf(Widget())->setDefault(value);
}

void TButton::Click() {
  if (TForm* form = ParentForm(); form != nullptr && modalResult_ != mrNone) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::CaptionChanged() { ButtonOf(Widget())->setText(ToQString(Caption())); }

void TBitBtn::SetKind(TBitBtnKind kind) {
  kind_ = kind;
  switch (kind) {
    case bkOK:
      SetDefault(true);
      SetModalResult(mrOk);
      break;
    case bkCancel:
      SetCancel(true);
      SetModalResult(mrCancel);
      break;
    case bkYes:
      SetDefault(true);
      SetModalResult(mrYes);
      break;
    case bkNo:
      SetCancel(true);
      SetModalResult(mrNo);
      break;
    default: break;
  }
}

}  // namespace cl
