#include "html/images/gif/gif_image.h"

#include <algorithm>

#include "html/images/image_unit.h"
#include "html/images/masks.h"
#include "html/images/read_only_file_stream.h"
#include "platform/core/mul_div.h"
#include "platform/core/scheduler.h"
#include "platform/gui/canvas.h"
#include "platform/gui/dib.h"
#include "platform/gui/gdi_constants.h"

namespace html {

namespace {

constexpr std::uint32_t White = 0x00FFFFFF;

// A colour bitmap of width x height from rows of 0x00RRGGBB pixels.
std::unique_ptr<cl::TBitmap> BitmapOf(const std::uint32_t* pixels, std::int32_t width, std::int32_t height) {
  win::BITMAPINFOHEADER info;
  info.biWidth = width;
  info.biHeight = -height;  // top row first
  info.biBitCount = 32;
  info.biSizeImage = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height) * 4;
  win::HBITMAP handle = win::CreateDIBitmap(nullptr, &info, win::CBM_INIT, pixels, &info, win::DIB_RGB_COLORS);
  if (handle == nullptr) return nullptr;
  auto bitmap = std::make_unique<cl::TBitmap>();
  bitmap->SetHandle(handle);
  return bitmap;
}

}  // namespace

TGIFImage::TGIFImage() = default;
TGIFImage::~TGIFImage() = default;

void TGIFImage::Clear() {
  frames_.reset();
  empty_ = true;
  refused_ = false;
  headerOnly_ = false;
  width_ = height_ = 0;
  loopCount_ = 1;
  loopCounter_ = 1;
  hasTransparency_ = false;
  colorBits_ = 0;
  currentFrame_ = 1;
  skipFirstStep_ = true;
  image_.clear();
  mask_.clear();
  savedImage_.clear();
  savedMask_.clear();
  picture_.reset();
  pictureMask_.reset();
  bitmapsStale_ = true;
}

void TGIFImage::ResetComposite() {
  const std::size_t pixels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  image_.assign(pixels, 0);
  mask_.assign(pixels, 1);
  savedImage_.clear();
  savedMask_.clear();
  bitmapsStale_ = true;
}

void TGIFImage::DrawFrame() {
  if (empty_ || headerOnly_ || frameCount() == 0 || image_.empty()) return;
  const GifFrame& frame = Frame(currentFrame_);
  // Frames lie inside the picture (its size grows to cover them); the
  // clamps only guard the arithmetic.
  const std::int32_t right = std::min(width_, frame.FrameLeft + frame.FrameWidth);
  const std::int32_t bottom = std::min(height_, frame.FrameTop + frame.FrameHeight);
  const std::int32_t columns = right - frame.FrameLeft;
  if (columns <= 0 || bottom <= frame.FrameTop || frame.Pixels.empty()) return;
  if (frame.Disposal == 3) {
    savedImage_.clear();
    savedMask_.clear();
    for (std::int32_t y = frame.FrameTop; y < bottom; ++y) {
      const std::size_t at = static_cast<std::size_t>(y) * width_ + frame.FrameLeft;
      savedImage_.insert(savedImage_.end(), image_.begin() + at, image_.begin() + at + columns);
      savedMask_.insert(savedMask_.end(), mask_.begin() + at, mask_.begin() + at + columns);
    }
  }
  for (std::int32_t y = frame.FrameTop; y < bottom; ++y) {
    const std::uint8_t* in = frame.Pixels.data() + static_cast<std::size_t>(y - frame.FrameTop) * frame.FrameWidth;
    std::uint32_t* out = image_.data() + static_cast<std::size_t>(y) * width_ + frame.FrameLeft;
    std::uint8_t* maskOut = mask_.data() + static_cast<std::size_t>(y) * width_ + frame.FrameLeft;
    if (frame.Transparent) {
      for (std::int32_t x = 0; x < columns; ++x)
        if (in[x] != frame.TransparentIndex) {
          out[x] = frame.Colors[in[x]];
          maskOut[x] = 0;
        }
    } else {
      for (std::int32_t x = 0; x < columns; ++x) out[x] = frame.Colors[in[x]];
      std::fill(maskOut, maskOut + columns, std::uint8_t{0});
    }
  }
  bitmapsStale_ = true;
}

void TGIFImage::DisposeFrame() {
  if (empty_ || headerOnly_ || frameCount() == 0 || image_.empty()) return;
  const GifFrame& frame = Frame(currentFrame_);
  const std::int32_t right = std::min(width_, frame.FrameLeft + frame.FrameWidth);
  const std::int32_t bottom = std::min(height_, frame.FrameTop + frame.FrameHeight);
  const std::int32_t columns = right - frame.FrameLeft;
  if (columns <= 0 || bottom <= frame.FrameTop) return;
  if (frame.Disposal == 2) {
    for (std::int32_t y = frame.FrameTop; y < bottom; ++y) {
      const std::size_t at = static_cast<std::size_t>(y) * width_ + frame.FrameLeft;
      std::fill_n(image_.begin() + at, columns, 0u);
      if (hasTransparency_) std::fill_n(mask_.begin() + at, columns, std::uint8_t{1});
    }
  } else if (frame.Disposal == 3 &&
             savedImage_.size() == static_cast<std::size_t>(columns) * (bottom - frame.FrameTop)) {
    for (std::int32_t y = frame.FrameTop; y < bottom; ++y) {
      const std::size_t at = static_cast<std::size_t>(y) * width_ + frame.FrameLeft;
      const std::size_t from = static_cast<std::size_t>(y - frame.FrameTop) * columns;
      std::copy_n(savedImage_.begin() + from, columns, image_.begin() + at);
      std::copy_n(savedMask_.begin() + from, columns, mask_.begin() + at);
    }
  }
  bitmapsStale_ = true;
}

void TGIFImage::SetCurrentFrame(std::int32_t index) {
  if (index == currentFrame_ || frameCount() == 0) return;
  DisposeFrame();
  if (index > frameCount()) index = 1;
  if (index <= 0) index = frameCount();
  currentFrame_ = index;
  DrawFrame();
}

void TGIFImage::SetFirstFrame() {
  if (empty_ || headerOnly_) return;
  ResetComposite();
  currentFrame_ = 1;
  DrawFrame();
}

void TGIFImage::SetDelayFromFrame() {
  const std::int32_t delay = win::MulDiv(Frame(currentFrame_).Delay, 100, Speed);
  currentDelay_ = std::max(1, delay);
}

void TGIFImage::SetAnimate(bool on) {
  if (on == animate_) return;
  animate_ = on;
  loopCounter_ = 1;
  if (on && frameCount() > 1) {
    SetDelayFromFrame();
    lastStepTime_ = win::GetTickCount();
  }
}

std::optional<cl::TRect> TGIFImage::Step() {
  if (!animate_ || empty_ || headerOnly_ || frameCount() < 2) return std::nullopt;
  const std::uint32_t now = win::GetTickCount();
  // Unsigned difference: the tick counter wraps.
  if (now - lastStepTime_ < static_cast<std::uint32_t>(currentDelay_)) return std::nullopt;
  lastStepTime_ = now;
  if (!LoopForever && loopCount_ > 0 && currentFrame_ == frameCount()) {
    if (loopCounter_ >= loopCount_) {
      SetAnimate(false);  // the last frame stays
      return std::nullopt;
    }
    ++loopCounter_;
  }
  std::optional<cl::TRect> changed;
  if (skipFirstStep_) {
    skipFirstStep_ = false;
  } else {
    SetCurrentFrame(currentFrame_ + 1);
    changed = drawn_;
  }
  SetDelayFromFrame();
  return changed;
}

void TGIFImage::RefreshBitmaps() {
  if (!bitmapsStale_ && picture_) return;
  picture_ = BitmapOf(image_.data(), width_, height_);
  pictureMask_.reset();
  if (hasTransparency_ && picture_) {
    std::vector<std::uint32_t> rows(mask_.size());
    std::transform(mask_.begin(), mask_.end(), rows.begin(), [](std::uint8_t m) { return m ? White : 0u; });
    pictureMask_ = BitmapOf(rows.data(), width_, height_);
    if (pictureMask_) pictureMask_->SetMonochrome(true);
  }
  bitmapsStale_ = false;
}

void TGIFImage::Draw(cl::TCanvas& canvas, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  drawn_ = {x, y, x + width, y + height};
  visible_ = true;
  shown_ = true;
  if (empty_ || headerOnly_ || frameCount() == 0 || image_.empty()) return;
  RefreshBitmaps();
  if (!picture_) return;
  canvas.SetStretchBltMode(win::COLORONCOLOR);
  if (hasTransparency_ && pictureMask_)
    DrawMasked(canvas, *picture_, *pictureMask_, x, y, width, height);
  else
    canvas.StretchDraw({x, y, x + width, y + height}, *picture_);
}

cl::TBitmap* TGIFImage::CurrentFrameBitmap() {
  if (empty_ || headerOnly_ || image_.empty()) return nullptr;
  RefreshBitmaps();
  return picture_.get();
}

cl::TBitmap* TGIFImage::CurrentFrameMask() {
  if (!hasTransparency_ || !CurrentFrameBitmap()) return nullptr;
  return pictureMask_.get();
}

std::unique_ptr<TAnimatedImage> TGIFImage::CreateCopy() const {
  auto copy = std::make_unique<TGIFImage>();
  copy->isCopy_ = true;
  copy->Speed = Speed;
  copy->LoopForever = LoopForever;
  if (empty_ || headerOnly_) return copy;
  copy->frames_ = frames_;
  copy->empty_ = false;
  copy->width_ = width_;
  copy->height_ = height_;
  copy->loopCount_ = loopCount_;
  copy->hasTransparency_ = hasTransparency_;
  copy->colorBits_ = colorBits_;
  copy->animate_ = animate_;
  copy->visible_ = visible_;
  copy->currentDelay_ = currentDelay_;
  copy->lastStepTime_ = lastStepTime_;
  copy->ResetComposite();
  copy->DrawFrame();
  return copy;
}

std::unique_ptr<TGIFImage> CreateAnimatedGifFromMemory(const std::uint8_t* data, std::size_t size,
                                                       bool& useOtherDecoder) {
  useOtherDecoder = true;
  auto image = std::make_unique<TGIFImage>();
  if (!image->CountFrames(data, size)) {
    useOtherDecoder = !image->Refused();
    return nullptr;
  }
  if (!image->Animated()) return nullptr;
  image->SetAnimate(false);
  image->SetVisible(false);
  useOtherDecoder = false;
  if (image->Load(data, size)) return image;
  // Taken as memory running short, as a decode that fails after a good count.
  if (ImageUnit().Started) BitmapList().PurgeIdle();
  return nullptr;
}

std::unique_ptr<TGIFImage> CreateAnimatedGifFromFile(const std::string& fileName, bool& useOtherDecoder) {
  useOtherDecoder = true;
  std::vector<std::uint8_t> bytes;
  try {
    TReadOnlyFileStream file(fileName);
    const std::int64_t size = file.Size();
    if (size <= 0 || size > std::int64_t{1} << 30) return nullptr;
    bytes.resize(static_cast<std::size_t>(size));
    file.Seek(0, cl::TSeekOrigin::soBeginning);
    if (file.Read(bytes.data(), static_cast<std::int32_t>(size)) != size) return nullptr;
  } catch (const std::exception&) {
    return nullptr;  // the other decoder reports the file
  }
  return CreateAnimatedGifFromMemory(bytes.data(), bytes.size(), useOtherDecoder);
}

}  // namespace html
