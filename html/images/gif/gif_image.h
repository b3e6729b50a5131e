#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "html/document/animated_image.h"
#include "html/images/gif/gif_frame.h"
#include "platform/gui/bitmap.h"

namespace html {

// An animated GIF: its frames, the picture and mask composed frame by frame,
// and the playing state. The section list steps it on its timer; the image
// object draws it.
class TGIFImage final : public TAnimatedImage {
 public:
  static constexpr int MaxFrames = 256;
  // What one image may cost: a larger logical screen, or frames that take
  // more when decoded (they keep a byte a pixel), is refused.
#ifdef BRANNIK_FUZZING
  // Small pictures only in fuzz builds, so that a run tries many inputs.
  static constexpr std::int64_t MaxScreenPixels = std::int64_t{1} << 18;
  static constexpr std::int64_t MaxDecodedBytes = std::int64_t{4} << 20;
#else
  static constexpr std::int64_t MaxScreenPixels = std::int64_t{1} << 24;
  static constexpr std::int64_t MaxDecodedBytes = std::int64_t{256} << 20;
#endif

  TGIFImage();
  ~TGIFImage() override;

  // The counting pass: frames, their headers and the loop count, no pixels.
  bool CountFrames(const std::uint8_t* data, std::size_t size);
  // The full decode. Both answer false (and leave the image empty) for data
  // that is no GIF, has no frame that decodes, or is refused for its size.
  bool Load(const std::uint8_t* data, std::size_t size);
  // The last parse failed because the image is too large.
  bool Refused() const { return refused_; }

  // A playable copy for a second image object: it shares the frames (which
  // never change) and owns everything it draws with.
  std::unique_ptr<TAnimatedImage> CreateCopy() const override;

  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  bool Empty() const override { return empty_; }

  void SetAnimate(bool on);
  bool Animate() const { return animate_; }
  void SetVisible(bool on) { visible_ = on; }
  // 1-based; above the count gives 1, 0 or less the last frame.
  void SetCurrentFrame(std::int32_t index);
  std::int32_t CurrentFrame() const { return currentFrame_; }
  // One step when due by the layer's clock: the window rectangle where the
  // picture changed, or nothing.
  std::optional<cl::TRect> Step();

  void SetFirstFrame() override;
  void StopAnimation() override { SetAnimate(false); }
  void StartAnimation() override { SetAnimate(true); }
  std::optional<cl::TRect> AnimationStep() override { return Step(); }
  void Draw(cl::TCanvas& canvas, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) override;
  cl::TBitmap* CurrentFrameBitmap() override;
  cl::TBitmap* CurrentFrameMask() override;

  bool Animated() const { return frameCount() > 1; }
  std::int32_t FrameCount() const { return frameCount(); }
  const GifFrame& Frame(std::int32_t index) const { return (*frames_)[static_cast<std::size_t>(index - 1)]; }
  std::int32_t LoopCount() const { return loopCount_; }
  std::int32_t LoopCounter() const { return loopCounter_; }
  bool HasTransparency() const { return hasTransparency_; }
  std::int32_t ColorBits() const { return colorBits_; }
  bool IsCopy() const { return isCopy_; }
  bool Shown() const { return shown_; }
  std::int32_t Speed = 100;  // percent
  bool LoopForever = false;  // nothing sets it; the loop count applies

  // The composed picture (0x00RRGGBB) and mask (1 = transparent), row by row.
  const std::vector<std::uint32_t>& CompositePixels() const { return image_; }
  const std::vector<std::uint8_t>& CompositeMask() const { return mask_; }

  // The decoded bytes the image keeps: the frames' colour indices, the
  // composite and the bitmaps drawn from it (counted before they are made).
  std::int64_t HeldBytes() const;

  void Clear();

 private:
  bool Parse(const std::uint8_t* data, std::size_t size, bool headerOnly);
  std::int32_t frameCount() const { return frames_ ? static_cast<std::int32_t>(frames_->size()) : 0; }
  void ResetComposite();
  void DrawFrame();
  void DisposeFrame();
  void RefreshBitmaps();
  // The composite changed in the rectangle (picture coordinates).
  void Touch(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  void SetDelayFromFrame();

  std::shared_ptr<const std::vector<GifFrame>> frames_;
  bool empty_ = true;
  bool refused_ = false;
  bool headerOnly_ = false;
  std::int32_t width_ = 0, height_ = 0;
  std::int32_t loopCount_ = 1;
  std::int32_t loopCounter_ = 1;
  bool hasTransparency_ = false;
  std::int32_t colorBits_ = 0;
  std::int32_t currentFrame_ = 1;
  bool animate_ = false;
  bool visible_ = true;
  bool skipFirstStep_ = true;
  bool shown_ = false;
  bool isCopy_ = false;
  std::uint32_t lastStepTime_ = 0;
  std::int32_t currentDelay_ = 1;
  cl::TRect drawn_{};

  std::vector<std::uint32_t> image_;
  std::vector<std::uint8_t> mask_;
  // What lay under the current frame, for disposal 3.
  std::vector<std::uint32_t> savedImage_;
  std::vector<std::uint8_t> savedMask_;
  // The composite as bitmaps, made once and brought up to date where it
  // changed: a step costs what its frames cover, not the picture's size.
  std::unique_ptr<cl::TBitmap> picture_;
  std::unique_ptr<cl::TBitmap> pictureMask_;
  cl::TRect stale_{};    // not yet in the bitmaps
  cl::TRect changed_{};  // by the step under way
};

// From the bytes of a GIF: the animation, or null. useOtherDecoder is true
// when the bytes are no animated GIF (one frame, or no GIF at all), false
// when they are one that could not be had (the error picture shows).
std::unique_ptr<TGIFImage> CreateAnimatedGifFromMemory(const std::uint8_t* data, std::size_t size,
                                                       bool& useOtherDecoder);
std::unique_ptr<TGIFImage> CreateAnimatedGifFromFile(const std::string& fileName, bool& useOtherDecoder);

}  // namespace html
