#pragma once

#include "platform/gui/bitmap.h"
#include "platform/gui/control.h"

namespace cl {

// A control showing a picture at its top-left corner; an auto-sized image
// takes the picture's size whenever PictureChanged is called.
class TImage : public TControl {
 public:
  explicit TImage(TComponent* owner);

  TBitmap& Picture() { return picture_; }
  void PictureChanged();
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);

  void Paint() override;

 private:
  TBitmap picture_;
  bool autoSize_ = false;
};

}  // namespace cl
