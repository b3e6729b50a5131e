#pragma once

#include "platform/gui/control.h"
#include "platform/gui/panel.h"

class QShortcut;

namespace cl {

// A text on its parent; "&" marks the access key: Alt with it moves the
// focus to FocusControl. A key that marks several labels or buttons of a
// window visits them in turn and presses no button.
class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);

  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control) { focusControl_ = control; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // Word wrap: lines break at blanks inside the label's width (an auto-sized
  // label keeps its width and takes the height of its lines).
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);
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
  void AccessKeyPressed();

  TWinControl* focusControl_ = nullptr;
  QShortcut* accessKey_ = nullptr;  // owned by the widget
  bool autoSize_ = true;
  bool wordWrap_ = false;
  TAlignment alignment_ = taLeftJustify;
};

}  // namespace cl
