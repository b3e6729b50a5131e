#include "platform/gui/picture_budget.h"

#include <cstdlib>

namespace cl {

namespace {

uint32_t Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24); }

}  // namespace

bool FitsPictureBudget(int64_t width, int64_t height, int64_t bytesPerPixel) {
  if (width <= 0 || height <= 0 || bytesPerPixel <= 0) return false;
  // Each factor alone is checked first, so the products cannot overflow.
  if (width > MaxPicturePixels || height > MaxPicturePixels) return false;
  const int64_t pixels = width * height;
  return pixels <= MaxPicturePixels && pixels <= MaxPictureBytes / bytesPerPixel;
}

bool BmpClaimIsPlausible(const uint8_t* data, std::size_t size) {
  constexpr std::size_t FileHeader = 14;
  if (data == nullptr || size < FileHeader + 12 || data[0] != 'B' || data[1] != 'M') return false;
  const uint8_t* info = data + FileHeader;
  const uint32_t headerSize = Le32(info);
  int64_t width = 0, height = 0;
  uint32_t bitCount = 0, compression = 0;
  if (headerSize == 12) {  // OS/2 core header: 16-bit sizes, never compressed
    width = Le16(info + 4);
    height = Le16(info + 6);
    bitCount = Le16(info + 10);
  } else {
    if (headerSize < 16 || size < FileHeader + 20) return false;
    width = static_cast<int32_t>(Le32(info + 4));
    height = std::llabs(int64_t{static_cast<int32_t>(Le32(info + 8))});  // negative: rows top-down
    bitCount = Le16(info + 14);
    compression = headerSize >= 20 ? Le32(info + 16) : 0;
  }
  if (!FitsPictureBudget(width, height)) return false;
  constexpr uint32_t BI_RGB = 0, BI_BITFIELDS = 3;
  if (compression != BI_RGB && compression != BI_BITFIELDS) return true;
  if (bitCount == 0 || bitCount > 32) return false;
  const std::size_t offset = Le32(data + 10);
  const int64_t held = offset < size ? static_cast<int64_t>(size - offset) : 0;
  const int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
  // The last row may lack its padding: some writers leave it out.
  const int64_t needed = rowBytes * (height - 1) + (width * bitCount + 7) / 8;
  return needed <= held;
}

}  // namespace cl
