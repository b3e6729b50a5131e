#include "platform/gui/image.h"

namespace cl {

TImage::TImage(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 105, 105);
}

void TImage::PictureChanged() {
  if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  PictureChanged();
}

void TImage::Paint() {
  if (!picture_.Empty()) Canvas().Draw(0, 0, picture_);
}

}  // namespace cl
