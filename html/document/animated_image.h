#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/gui/geometry.h"
#include "platform/gui/graphic.h"

namespace cl {
class TBitmap;
class TCanvas;
}  // namespace cl

namespace html {

// What the document asks of an animated picture: the GIF decoder's images
// derive from this; image objects draw them and the root steps them.
class TAnimatedImage : public cl::TGraphic {
 public:
  virtual void SetFirstFrame() = 0;
  virtual void StopAnimation() = 0;
  virtual void StartAnimation() = 0;
  // The next step when it is due: the window rectangle to repaint, or
  // nothing when the picture did not change.
  virtual std::optional<cl::TRect> AnimationStep() = 0;
  // A copy that plays on its own, for a second image object.
  virtual std::unique_ptr<TAnimatedImage> CreateCopy() const = 0;
  // Draws the current picture stretched to width x height at (x, y) of the
  // canvas (window coordinates, kept for the next step).
  virtual void Draw(cl::TCanvas& canvas, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height) = 0;
  // The current picture and its mask (1 = transparent) for the printer;
  // the mask is null when nothing is transparent. Kept by the image.
  virtual cl::TBitmap* CurrentFrameBitmap() = 0;
  virtual cl::TBitmap* CurrentFrameMask() = 0;

  bool Drawn = false;  // painted during the last paint
};

}  // namespace html
