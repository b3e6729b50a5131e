#include "html/frames/frame_base.h"

namespace html {

TFrameBase::TFrameBase(cl::TComponent* owner, TFrameSet* topSet) : cl::TCustomPanel(owner), topSet_(topSet) {
  SetBevelOuter(cl::bvNone);
  SetParentColor(true);
}

}  // namespace html
