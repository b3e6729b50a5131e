#pragma once

#include "platform/gui/control.h"

namespace cl {

// A frame with a caption around controls placed on it.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);

 protected:
  void CaptionChanged() override;
};

}  // namespace cl
