#pragma once

#include "platform/core/object.h"

namespace html {

// What the document root asks of an animated image: the GIF decoder's images
// derive from this and join the root's list when laid out.
class TAnimatedImage : public cl::TObject {
 public:
  virtual void SetFirstFrame() = 0;
  virtual void StopAnimation() = 0;
  virtual void StartAnimation() = 0;
  // The next step, drawn where the image was last painted.
  virtual void AnimationStep() = 0;

  bool Drawn = false;  // painted during the last paint
};

}  // namespace html
