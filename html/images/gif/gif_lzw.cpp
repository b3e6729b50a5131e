#include "html/images/gif/gif_lzw.h"

#include <array>

namespace html {

namespace {

// The rows of a frame in the order the codes fill them.
class RowOrder {
 public:
  RowOrder(std::int32_t height, bool interlaced) : height_(height), interlaced_(interlaced) {}
  std::int32_t Row() const { return row_; }
  bool Done() const { return row_ >= height_; }
  void Next() {
    if (!interlaced_) {
      ++row_;
      return;
    }
    static constexpr std::int32_t Start[] = {0, 4, 2, 1};
    static constexpr std::int32_t Step[] = {8, 8, 4, 2};
    row_ += Step[pass_];
    while (row_ >= height_ && pass_ < 3) row_ = Start[++pass_];
  }

 private:
  std::int32_t height_;
  bool interlaced_;
  std::int32_t row_ = 0;
  int pass_ = 0;
};

}  // namespace

bool DecodeLzw(const std::uint8_t* data, std::size_t size, int minCodeSize, std::int32_t width,
               std::int32_t height, bool interlaced, std::uint8_t* pixels) {
  if (minCodeSize < 1 || minCodeSize > 11) return false;
  if (width <= 0 || height <= 0) return true;
  const int clearCode = 1 << minCodeSize;
  const int endCode = clearCode + 1;
  std::array<std::uint16_t, GifMaxCodes> prefix{};
  std::array<std::uint8_t, GifMaxCodes> suffix{};
  std::array<std::uint8_t, GifMaxCodes> stack{};
  for (int i = 0; i < clearCode; ++i) suffix[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);

  int codeWidth = minCodeSize + 1;
  int limit = 1 << codeWidth;
  int nextCode = clearCode + 2;
  int previous = -1;
  std::uint8_t first = 0;

  std::uint32_t bits = 0;
  int bitCount = 0;
  std::size_t in = 0;
  RowOrder rows(height, interlaced);
  std::int32_t x = 0;
  std::uint8_t* row = pixels;

  while (!rows.Done()) {
    while (bitCount < codeWidth && in < size) {
      bits |= std::uint32_t{data[in++]} << bitCount;
      bitCount += 8;
    }
    if (bitCount < codeWidth) break;  // the data ends before the last row
    const int code = static_cast<int>(bits & ((1u << codeWidth) - 1));
    bits >>= codeWidth;
    bitCount -= codeWidth;

    if (code == clearCode) {
      codeWidth = minCodeSize + 1;
      limit = 1 << codeWidth;
      nextCode = clearCode + 2;
      previous = -1;
      continue;
    }
    if (code == endCode) break;

    int sp = 0;
    if (previous < 0) {
      if (code >= clearCode) return false;  // no string before it to extend
      stack[sp++] = static_cast<std::uint8_t>(code);
      first = static_cast<std::uint8_t>(code);
    } else {
      if (code > nextCode || (code == nextCode && nextCode >= GifMaxCodes)) return false;
      int c = code;
      if (code == nextCode) {  // the string being defined: previous plus its own first character
        stack[sp++] = first;
        c = previous;
      }
      while (c >= clearCode) {
        if (sp >= GifMaxCodes - 1) return false;
        stack[static_cast<std::size_t>(sp++)] = suffix[static_cast<std::size_t>(c)];
        c = prefix[static_cast<std::size_t>(c)];
      }
      stack[static_cast<std::size_t>(sp++)] = static_cast<std::uint8_t>(c);
      first = static_cast<std::uint8_t>(c);
      if (nextCode < GifMaxCodes) {
        prefix[static_cast<std::size_t>(nextCode)] = static_cast<std::uint16_t>(previous);
        suffix[static_cast<std::size_t>(nextCode)] = first;
        ++nextCode;
        if (nextCode == limit && limit < GifMaxCodes) {
          ++codeWidth;
          limit <<= 1;
        }
      }
    }
    previous = code;

    if (x == 0) row = pixels + static_cast<std::ptrdiff_t>(rows.Row()) * width;
    while (sp > 0) {
      row[x++] = stack[static_cast<std::size_t>(--sp)];
      if (x == width) {
        x = 0;
        rows.Next();
        if (rows.Done()) break;
        row = pixels + static_cast<std::ptrdiff_t>(rows.Row()) * width;
      }
    }
  }
  return true;
}

}  // namespace html
