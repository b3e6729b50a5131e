#pragma once

#include <cstdint>
#include <string>

#include "platform/gui/control.h"

namespace cl {

// A number edit with up and down arrows, kept within MinValue..MaxValue.
// Any number may be typed; Value reads it brought into the range, and the
// field shows it so once it is left.
class TSpinEdit : public TWinControl {
 public:
  explicit TSpinEdit(TComponent* owner);

  int32_t MinValue() const { return minValue_; }
  int32_t MaxValue() const { return maxValue_; }
  void SetRange(int32_t minValue, int32_t maxValue);
  int32_t Value() const;
  // What the field shows.
  std::string Text() const;
  // Limited to the range; OnChange fires when the value changes.
  void SetValue(int32_t value);
  int32_t Increment() const { return increment_; }
  void SetIncrement(int32_t increment);

  TNotifyEvent OnChange;

 private:
  int32_t minValue_ = 0;
  int32_t maxValue_ = 100;
  int32_t increment_ = 1;
};

}  // namespace cl
