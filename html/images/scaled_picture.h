#pragma once

#include <cstdint>
#include <memory>

#include "platform/gui/bitmap.h"

namespace html {

// A cached picture as it is drawn at a smaller size: shrinking a large
// picture on every draw would read all of its pixels each time, so it is
// scaled once and the copy drawn one to one. The copy holds the same pixels
// a direct stretch would give (colour on colour for the picture, black on
// white for its mask).
struct TScaledPicture {
  std::int32_t Width = 0, Height = 0;
  std::unique_ptr<cl::TBitmap> Image;
  std::unique_ptr<cl::TBitmap> Mask;  // made when the entry has a mask
};

// The picture stretched to width x height.
std::unique_ptr<cl::TBitmap> ScaledImage(cl::TBitmap& image, std::int32_t width, std::int32_t height);
// The monochrome mask stretched to width x height.
std::unique_ptr<cl::TBitmap> ScaledMask(cl::TBitmap& mask, std::int32_t width, std::int32_t height);

}  // namespace html
