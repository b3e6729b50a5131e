#pragma once

#include "platform/gui/control.h"
#include "platform/gui/panel.h"

namespace cl {

// A text on its parent; "&" marks the access key, which moves the focus to
// FocusControl.
class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);

  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control) { focusControl_ = control; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // The caption as shown: "&&" is "&", a single "&" is left out.
  std::string ShownText() const;

  void Paint() override;

 protected:
  void CaptionChanged() override;
  void FontChanged() override;

 private:
  void AdjustSize();

  TWinControl* focusControl_ = nullptr;
  bool autoSize_ = true;
  TAlignment alignment_ = taLeftJustify;
};

}  // namespace cl
