#include "suite/picdec/header_guard.h"

#include <algorithm>
#include <cstring>

#include "platform/gui/picture_budget.h"

namespace picdec {

namespace {

uint32_t Be32(const uint8_t* p) { return (uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
uint32_t Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }

// Deflate turns at most 1032 bytes out of one it reads.
constexpr int64_t DeflateMaxRatio = 1032;

bool PngWithinBudget(const uint8_t* data, std::size_t size) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (size < 8 || std::memcmp(data, signature, 8) != 0) return false;
  std::size_t pos = 8;
  int64_t width = 0, height = 0, bitsPerPixel = 0, compressed = 0;
  bool header = false;
  // Eight bytes make a chunk header the system's PNG library reads and
  // allocates for, so even a chunk cut off by the end of the file must have
  // its data and CRC there.
  while (size - pos >= 8) {
    const uint32_t length = Be32(data + pos);
    if (std::size_t{length} + 12 > size - pos) return false;
    const uint8_t* type = data + pos + 4;
    const uint8_t* body = data + pos + 8;
    if (!header) {
      if (std::memcmp(type, "IHDR", 4) != 0 || length < 13) return false;
      width = Be32(body);
      height = Be32(body + 4);
      const int64_t bitDepth = body[8];
      static const int channels[7] = {1, 0, 3, 1, 2, 0, 4};
      const uint8_t colourType = body[9];
      if (bitDepth == 0 || bitDepth > 16 || colourType > 6 || channels[colourType] == 0) return false;
      bitsPerPixel = bitDepth * channels[colourType];
      if (!cl::FitsPictureBudget(width, height, bitDepth > 8 ? 8 : 4)) return false;
      header = true;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      compressed += length;
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      break;
    }
    pos += 12 + std::size_t{length};
  }
  if (!header) return false;
  // Rows without their filter bytes: what any interlacing must at least hold.
  const int64_t rawBytes = width * height * bitsPerPixel / 8;
  return rawBytes <= DeflateMaxRatio * (compressed + 1);
}

// The most pixels LZW data of that many bytes can give. Every code takes at
// least minCodeSize + 1 bits, and the k-th code after a clear stands for at
// most k pixels (each table entry is one longer than an earlier one), never
// more than the 4096 a full table allows.
int64_t LzwPixelBound(int64_t bytes, int minCodeSize) {
  const int64_t codes = bytes * 8 / (std::clamp(minCodeSize, 1, 11) + 1);
  constexpr int64_t TableSize = 4096;
  if (codes <= TableSize) return codes * (codes + 1) / 2;
  return TableSize * (TableSize + 1) / 2 + (codes - TableSize) * TableSize;
}

// A screen that the frames' data leaves bare is only background; beyond this
// much of it a picture is taken for a claim its bytes cannot back.
constexpr int64_t BareScreenPixels = int64_t{1} << 20;

// The logical screen and every image of a GIF; Qt's reader makes a picture of
// the screen's size, and grows it to hold an image that lies outside. The
// picture must fit the budget, and be one that the frames' data could
// mostly fill: a few bytes claiming a huge screen are refused before
// anything is allocated for it.
bool GifWithinBudget(const uint8_t* data, std::size_t size) {
  if (size < 13) return false;
  int64_t width = Le16(data + 6), height = Le16(data + 8);
  if (!cl::FitsPictureBudget(std::max<int64_t>(width, 1), std::max<int64_t>(height, 1))) return false;
  std::size_t pos = 13;
  if (data[10] & 0x80) pos += 3 * (std::size_t{2} << (data[10] & 7));
  // Sub-blocks up to the terminator; answers the data bytes they hold.
  auto skipSubBlocks = [&] {
    int64_t bytes = 0;
    while (pos < size && data[pos] != 0) {
      const std::size_t length = data[pos];
      bytes += static_cast<int64_t>(std::min(length, size - pos - 1));
      pos += 1 + length;
    }
    ++pos;
    return bytes;
  };
  int64_t filled = 0;  // pixels the frames' data can set
  while (pos < size) {
    const uint8_t introducer = data[pos++];
    if (introducer == 0x21) {
      ++pos;  // label
      skipSubBlocks();
    } else if (introducer == 0x2C) {
      if (size - pos < 9) break;
      const int64_t frameWidth = Le16(data + pos + 4), frameHeight = Le16(data + pos + 6);
      width = std::max<int64_t>(width, Le16(data + pos) + frameWidth);
      height = std::max<int64_t>(height, Le16(data + pos + 2) + frameHeight);
      if (!cl::FitsPictureBudget(std::max<int64_t>(width, 1), std::max<int64_t>(height, 1))) return false;
      const uint8_t packed = data[pos + 8];
      pos += 9;
      if (packed & 0x80) pos += 3 * (std::size_t{2} << (packed & 7));
      const int minCodeSize = pos < size ? data[pos] : 8;
      ++pos;
      const int64_t bytes = skipSubBlocks();
      filled += std::min(frameWidth * frameHeight, LzwPixelBound(bytes, minCodeSize));
    } else {
      break;
    }
  }
  const int64_t screen = std::max<int64_t>(width, 1) * std::max<int64_t>(height, 1);
  return screen <= std::max(BareScreenPixels, 4 * filled);
}

// The frame size of the first start-of-frame marker; markers before it carry
// 16-bit lengths, so walking them costs nothing.
bool JpegWithinBudget(const uint8_t* data, std::size_t size) {
  std::size_t pos = 2;
  while (pos + 4 <= size) {
    if (data[pos] != 0xFF) return true;  // let the reader judge the damage
    const uint8_t marker = data[pos + 1];
    if (marker == 0xFF) {
      ++pos;
      continue;
    }
    if (marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length follows
      pos += 2;
      continue;
    }
    const std::size_t length = (std::size_t{data[pos + 2]} << 8) | data[pos + 3];
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (pos + 9 > size) return true;
      const int64_t height = (data[pos + 5] << 8) | data[pos + 6];
      const int64_t width = (data[pos + 7] << 8) | data[pos + 8];
      // A height of 0 is given later in the file; the width bounds a row.
      return cl::FitsPictureBudget(width, std::max<int64_t>(height, 1));
    }
    if (marker == 0xDA) return true;
    pos += 2 + length;
  }
  return true;
}

}  // namespace

bool HeadersWithinBudget(Kind kind, const uint8_t* data, std::size_t size) {
  if (data == nullptr) return false;
  switch (kind) {
    case Kind::Bmp: return cl::BmpClaimIsPlausible(data, size);
    case Kind::Gif: return GifWithinBudget(data, size);
    case Kind::Jpeg: return JpegWithinBudget(data, size);
    case Kind::Png: return PngWithinBudget(data, size);
  }
  return false;
}

}  // namespace picdec
