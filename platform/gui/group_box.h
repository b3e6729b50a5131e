#pragma once

#include "platform/gui/control.h"

namespace cl {

// A frame with a caption at its top that holds a group of controls.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);

 protected:
  void CaptionChanged() override;
};

}  // namespace cl
