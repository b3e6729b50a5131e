#pragma once

#include "platform/gui/control.h"

namespace cl {

// A control that only paints: OnPaint draws on Canvas.
class TPaintBox : public TControl {
 public:
  explicit TPaintBox(TComponent* owner);

  TNotifyEvent OnPaint;
  void Paint() override;
};

}  // namespace cl
