#pragma once

#include <cstdint>

#include "platform/gui/control.h"
#include "platform/gui/form.h"

namespace cl {

// A push button. A click sets its form's modal result to the button's.
// Default is clicked by Enter on the form, Cancel by Esc.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }

  void Click() override;

 protected:
  void CaptionChanged() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

enum TBitBtnKind : uint8_t { bkCustom, bkOK, bkCancel, bkYes, bkNo };

// A button of a standard kind: OK is the default button with result mrOk,
// Cancel the cancel button with mrCancel, and so on.
class TBitBtn : public TButton {
 public:
  using TButton::TButton;
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind kind);

 private:
  TBitBtnKind kind_ = bkCustom;
};

}  // namespace cl
