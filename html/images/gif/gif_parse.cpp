// The two passes over a GIF's bytes: the counting pass reads every header
// and skips the pixel data; the full pass decodes it too.
#include <algorithm>
#include <cstring>

#include "html/images/gif/gif_image.h"
#include "html/images/gif/gif_lzw.h"

namespace html {

namespace {

// Reads the bytes of a GIF; every read is checked against the end.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Byte(std::uint8_t& b) {
    if (pos_ >= size_) return false;
    b = data_[pos_++];
    return true;
  }
  bool Word(std::uint16_t& w) {
    if (size_ - pos_ < 2) return false;
    w = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool Skip(std::size_t count) {
    if (size_ - pos_ < count) return false;
    pos_ += count;
    return true;
  }
  const std::uint8_t* Here() const { return data_ + pos_; }
  // The sub-blocks up to the zero-length one, their bytes appended to out
  // when given. False when the data ends first.
  bool SubBlocks(std::vector<std::uint8_t>* out) {
    for (;;) {
      std::uint8_t length = 0;
      if (!Byte(length)) return false;
      if (length == 0) return true;
      if (size_ - pos_ < length) return false;
      if (out) out->insert(out->end(), data_ + pos_, data_ + pos_ + length);
      pos_ += length;
    }
  }
  // Stray zero bytes some writers leave after a frame's data.
  void SkipZeros() {
    while (pos_ < size_ && data_[pos_] == 0) ++pos_;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

struct ControlBlock {
  bool present = false;
  std::uint8_t packed = 0;
  std::uint16_t delay = 0;
  std::uint8_t transparentIndex = 0;
};

bool ReadColorTable(ByteReader& reader, int bits, std::array<std::uint32_t, 256>& colors) {
  const int count = 1 << bits;
  if (!reader.Skip(std::size_t(3) * count)) return false;
  const std::uint8_t* p = reader.Here() - std::size_t(3) * count;
  colors.fill(0);
  for (int i = 0; i < count; ++i)
    colors[static_cast<std::size_t>(i)] = (std::uint32_t{p[3 * i]} << 16) | (std::uint32_t{p[3 * i + 1]} << 8) |
                                          p[3 * i + 2];
  return true;
}

}  // namespace

bool TGIFImage::Parse(const std::uint8_t* data, std::size_t size, bool headerOnly) {
  Clear();
  headerOnly_ = headerOnly;
  if (data == nullptr || size < 13 || std::memcmp(data, "GIF", 3) != 0) return false;
  ByteReader reader(data, size);
  std::uint16_t screenWidth = 0, screenHeight = 0;
  std::uint8_t packed = 0;
  reader.Skip(6);
  reader.Word(screenWidth);
  reader.Word(screenHeight);
  reader.Byte(packed);
  reader.Skip(2);  // background colour index, aspect ratio
  auto refuse = [this] {
    Clear();
    refused_ = true;
    return false;
  };
  if (std::int64_t{screenWidth} * screenHeight > MaxScreenPixels) return refuse();

  std::array<std::uint32_t, 256> globalColors{};
  std::int32_t colorBits = 0;
  if (packed & 0x80) {
    colorBits = (packed & 7) + 1;
    if (!ReadColorTable(reader, colorBits, globalColors)) return false;
  }

  std::vector<GifFrame> frames;
  ControlBlock control;
  std::string comment;
  std::int64_t decodedBytes = 0;
  std::int32_t right = screenWidth, bottom = screenHeight;
  std::int32_t loopCount = 1;
  bool hasTransparency = false;
  std::vector<std::uint8_t> block;
  for (bool more = true; more;) {
    std::uint8_t introducer = 0;
    if (!reader.Byte(introducer)) break;
    if (introducer == 0x21) {
      std::uint8_t label = 0;
      if (!reader.Byte(label)) break;
      block.clear();
      switch (label) {
        case 0x01: more = reader.SubBlocks(nullptr); break;  // plain text is not drawn
        case 0xF9:
          more = reader.SubBlocks(&block);
          if (more && block.size() >= 4) {
            control.present = true;
            control.packed = block[0];
            control.delay = static_cast<std::uint16_t>(block[1] | (block[2] << 8));
            control.transparentIndex = block[3];
          }
          break;
        case 0xFE:
          more = reader.SubBlocks(&block);
          comment.append(block.begin(), block.end());
          break;
        case 0xFF:
          more = reader.SubBlocks(&block);
          // "NETSCAPE2.0", then the loop sub-block: an id byte and the count.
          if (more && block.size() >= 14 && std::memcmp(block.data(), "NETSCAPE2.0", 11) == 0)
            loopCount = block[12] | (block[13] << 8);
          break;
        default: more = false; break;
      }
    } else if (introducer == 0x2C) {
      if (frames.size() >= MaxFrames) break;
      GifFrame frame;
      std::uint16_t left = 0, top = 0, width = 0, height = 0;
      std::uint8_t framePacked = 0;
      if (!reader.Word(left) || !reader.Word(top) || !reader.Word(width) || !reader.Word(height) ||
          !reader.Byte(framePacked))
        break;
      frame.FrameLeft = left;
      frame.FrameTop = top;
      frame.FrameWidth = width;
      frame.FrameHeight = height;
      decodedBytes += std::int64_t{width} * height;  // a frame keeps a colour index a pixel
      right = std::max<std::int32_t>(right, left + width);
      bottom = std::max<std::int32_t>(bottom, top + height);
      if (decodedBytes > MaxDecodedBytes || std::int64_t{right} * bottom > MaxScreenPixels) return refuse();
      frame.Colors = globalColors;
      if (framePacked & 0x80) {
        frame.HasLocalTable = true;
        frame.LocalColorBits = (framePacked & 7) + 1;
        if (!ReadColorTable(reader, frame.LocalColorBits, frame.Colors)) break;
      }
      frame.Interlaced = (framePacked & 0x40) != 0;
      if (control.present) {
        const int disposal = (control.packed >> 2) & 7;
        frame.Disposal = static_cast<std::uint8_t>(disposal > 3 ? 2 : disposal);
        frame.Delay = control.delay * 10;
        frame.Transparent = (control.packed & 1) != 0;
        frame.TransparentIndex = control.transparentIndex;
      }
      std::uint8_t minCodeSize = 0;
      if (!reader.Byte(minCodeSize)) break;
      if (headerOnly) {
        if (!reader.SubBlocks(nullptr)) break;
      } else {
        block.clear();
        if (!reader.SubBlocks(&block)) break;
        frame.Pixels.assign(static_cast<std::size_t>(width) * height, 0);
        if (!DecodeLzw(block.data(), block.size(), minCodeSize, width, height, frame.Interlaced,
                       frame.Pixels.data()))
          break;
      }
      reader.SkipZeros();
      colorBits = std::max(colorBits, frame.LocalColorBits);
      hasTransparency = hasTransparency || frame.Transparent;
      frame.Comment = std::move(comment);
      comment.clear();
      control = ControlBlock{};
      frames.push_back(std::move(frame));
    } else {
      break;  // the trailer, or bytes that are no block
    }
  }
  if (frames.empty() || right <= 0 || bottom <= 0) return false;

  width_ = right;
  height_ = bottom;
  loopCount_ = loopCount;
  colorBits_ = colorBits;
  hasTransparency_ = hasTransparency;
  frames_ = std::make_shared<const std::vector<GifFrame>>(std::move(frames));
  empty_ = false;
  if (!headerOnly) {
    ResetComposite();
    DrawFrame();
  }
  return true;
}

bool TGIFImage::CountFrames(const std::uint8_t* data, std::size_t size) { return Parse(data, size, true); }

bool TGIFImage::Load(const std::uint8_t* data, std::size_t size) {
  const bool loaded = Parse(data, size, false);
  headerOnly_ = false;
  return loaded;
}

}  // namespace html
