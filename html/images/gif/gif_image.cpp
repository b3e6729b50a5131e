#include "html/images/gif/gif_image.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "html/images/image_unit.h"
#include "html/images/masks.h"
#include "html/images/read_only_file_stream.h"
#include "platform/core/mul_div.h"
#include "platform/core/scheduler.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"

namespace html {

namespace {

constexpr std::uint32_t White = 0x00FFFFFF;

bool IsEmpty(const cl::TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

cl::TRect Union(const cl::TRect& a, const cl::TRect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// Where source pixels [from, to) of size land when drawn stretched to span
// pixels from origin: every destination pixel that reads one of them.
std::pair<std::int32_t, std::int32_t> Mapped(std::int32_t from, std::int32_t to, std::int32_t size, std::int32_t origin,
                                             std::int32_t span) {
  const std::int64_t first = std::int64_t{from} * span / size;
  const std::int64_t last = (std::int64_t{to} * span + size - 1) / size;
  return {origin + static_cast<std::int32_t>(first), origin + static_cast<std::int32_t>(last)};
}

std::unique_ptr<cl::TBitmap> BlankBitmap(std::int32_t width, std::int32_t height, int bitsPerPixel) {
  win::HBITMAP handle = win::CreateBitmap(width, height, bitsPerPixel);
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
  stale_ = changed_ = {};
}

std::int64_t TGIFImage::HeldBytes() const {
  std::int64_t bytes = 0;
  if (frames_)
    for (const GifFrame& frame : *frames_) bytes += static_cast<std::int64_t>(frame.Pixels.size());
  const std::int64_t screen = std::int64_t{width_} * height_;
  // Composite colours and mask, the picture bitmap, the monochrome mask.
  bytes += screen * (4 + 1 + 4);
  if (hasTransparency_) bytes += (std::int64_t{width_} + 31) / 32 * 4 * height_;
  return bytes;
}

void TGIFImage::ResetComposite() {
  const std::size_t pixels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  image_.assign(pixels, 0);
  mask_.assign(pixels, 1);
  savedImage_.clear();
  savedMask_.clear();
  Touch(0, 0, width_, height_);
}

void TGIFImage::Touch(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  const cl::TRect area{left, top, right, bottom};
  stale_ = Union(stale_, area);
  changed_ = Union(changed_, area);
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
  Touch(frame.FrameLeft, frame.FrameTop, right, bottom);
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
  } else {
    return;  // left as it is
  }
  Touch(frame.FrameLeft, frame.FrameTop, right, bottom);
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
    changed_ = {};
    SetCurrentFrame(currentFrame_ + 1);
    // Only the window pixels that show the part the frames touched.
    cl::TRect area{drawn_.Left, drawn_.Top, drawn_.Left, drawn_.Top};
    if (!IsEmpty(changed_) && !IsEmpty(drawn_) && width_ > 0 && height_ > 0) {
      std::tie(area.Left, area.Right) = Mapped(changed_.Left, changed_.Right, width_, drawn_.Left, drawn_.Width());
      std::tie(area.Top, area.Bottom) = Mapped(changed_.Top, changed_.Bottom, height_, drawn_.Top, drawn_.Height());
    }
    changed = area;
  }
  SetDelayFromFrame();
  return changed;
}

void TGIFImage::RefreshBitmaps() {
  if (!picture_ || picture_->Width() != width_ || picture_->Height() != height_) {
    picture_ = BlankBitmap(width_, height_, 32);
    pictureMask_.reset();
    stale_ = {0, 0, width_, height_};
  }
  if (!picture_) return;
  if (hasTransparency_ && !pictureMask_) {
    pictureMask_ = BlankBitmap(width_, height_, 1);
    stale_ = {0, 0, width_, height_};
  }
  const cl::TRect area{std::max(0, stale_.Left), std::max(0, stale_.Top), std::min(width_, stale_.Right),
                       std::min(height_, stale_.Bottom)};
  stale_ = {};
  if (IsEmpty(area)) return;
  const std::size_t first = static_cast<std::size_t>(area.Top) * width_ + area.Left;
  win::SetBitmapPixels(picture_->Handle(), area.Left, area.Top, area.Width(), area.Height(), image_.data() + first,
                       width_);
  if (!pictureMask_) return;
  std::vector<std::uint32_t> row(static_cast<std::size_t>(area.Width()));
  for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
    const std::uint8_t* in = mask_.data() + static_cast<std::size_t>(y) * width_ + area.Left;
    std::transform(in, in + area.Width(), row.begin(), [](std::uint8_t m) { return m ? White : 0u; });
    win::SetBitmapPixels(pictureMask_->Handle(), area.Left, y, area.Width(), 1, row.data(), area.Width());
  }
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
