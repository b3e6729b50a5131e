// Arbitrary bytes through both passes of the animated GIF decoder and every
// frame's compositing and disposal, in order and out of it, on the image
// and on a copy: no read outside the data, no write outside the pictures.
#include <cstdint>
#include <cstdlib>

#include "html/images/gif/gif_image.h"

using namespace html;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bool useOtherDecoder = false;
  std::unique_ptr<TGIFImage> image = CreateAnimatedGifFromMemory(data, size, useOtherDecoder);
  if (!image) {
    TGIFImage single;
    (void)single.Load(data, size);  // what a one-frame file would give
    return 0;
  }
  if (image->FrameCount() < 1 || image->FrameCount() > TGIFImage::MaxFrames) std::abort();
  const std::size_t pixels = static_cast<std::size_t>(image->Width()) * static_cast<std::size_t>(image->Height());
  if (image->CompositePixels().size() != pixels || image->CompositeMask().size() != pixels) std::abort();
  for (std::int32_t i = 2; i <= image->FrameCount() + 1; ++i) image->SetCurrentFrame(i);
  image->SetCurrentFrame(0);
  std::unique_ptr<TAnimatedImage> copy = image->CreateCopy();
  image.reset();
  auto* gif = static_cast<TGIFImage*>(copy.get());
  for (std::int32_t i = gif->FrameCount(); i >= 1; --i) gif->SetCurrentFrame(i);
  gif->SetFirstFrame();
  return 0;
}
