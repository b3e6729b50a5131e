#pragma once

#include "platform/gui/control.h"

namespace cl {

// A check box. Setting Checked, by the user or from code, fires OnClick when
// the state changes, as the class library does.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  void CaptionChanged() override;

 private:
  bool checked_ = false;
};

// A radio button that is not auto-exclusive: the program unchecks the others
// of its group itself. A click checks it (never unchecks); becoming checked,
// by the user or from code, fires OnClick.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  void CaptionChanged() override;

 private:
  bool checked_ = false;
};

}  // namespace cl
