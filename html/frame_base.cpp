#include "html/frame_base.h"

TFrameBase::TFrameBase(cl::TComponent* owner, TFrameSet* topSet) : cl::TCustomPanel(owner), topSet_(topSet) {
  SetBevelOuter(cl::bvNone);
  SetParentColor(true);
}
