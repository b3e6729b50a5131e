#pragma once

#include <cstdint>

#include "platform/gui/control.h"
#include "platform/gui/edit.h"
#include "platform/gui/speed_button.h"

namespace brw {

// A number edit with buttons one up and one down, kept within its range.
class TSpinEdit : public cl::TWinControl {
 public:
  explicit TSpinEdit(cl::TComponent* owner);

  // The number shown, within the range; a text that is no number reads as
  // the minimum.
  int32_t Value() const;
  void SetValue(int32_t value);
  int32_t MinValue() const { return minValue_; }
  int32_t MaxValue() const { return maxValue_; }
  void SetRange(int32_t minValue, int32_t maxValue);

  cl::TEdit& Edit() { return *edit_; }
  cl::TSpeedButton& UpButton() { return *up_; }
  cl::TSpeedButton& DownButton() { return *down_; }

  // Fires for every change of the text, typed or stepped.
  cl::TNotifyEvent OnChange;

 protected:
  void Resize() override;

 private:
  void Step(int32_t delta);

  cl::TEdit* edit_;
  cl::TSpeedButton* up_;
  cl::TSpeedButton* down_;
  int32_t minValue_ = 0;
  int32_t maxValue_ = 100;
};

}  // namespace brw
