#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/dib.h"

namespace html {

// A device-independent copy of a bitmap: a BITMAPINFO block (header and
// colour table) and the pixel rows.
class TDib {
 public:
  // Copies the bitmap's rows through its palette; when that raises the rows
  // are freed and the exception passes on.
  TDib(cl::TCanvas* dc, const cl::TBitmap& bitmap);
  ~TDib();
  TDib(const TDib&) = delete;
  TDib& operator=(const TDib&) = delete;

  // Blocks of LargeBlock bytes and more are "global memory": when such a
  // block cannot be had the operation is silently aborted (cl::EAbort).
  static constexpr std::int32_t LargeBlock = 65280;
  void AllocBits(std::int32_t size);
  void FreeBits();
  // The header from the bitmap's own description: 8 bits or fewer keep their
  // bit count and get a table, 16 and 32 become 24.
  void InitHeader(win::HBITMAP bitmap);
  // Reads the rows as RGB colours with the palette realised. No rows: with
  // no context the cache's idle entries are purged first; then
  // cl::EOutOfMemory.
  void GetBits(cl::TCanvas* dc, win::HBITMAP bitmap, win::HPALETTE palette);
  void StretchDraw(cl::TCanvas& dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                   std::uint32_t rasterOp) const;
  // A device bitmap made from the rows (owned by the caller).
  win::HBITMAP CreateDeviceBitmap(cl::TCanvas* dc) const;

  // Bytes of a row of bits bits, padded to 32 bits.
  static std::int32_t RowBytes(std::int32_t bits) { return ((bits + 31) / 32) * 4; }

  const win::BITMAPINFOHEADER* Header() const;
  win::BITMAPINFOHEADER* Header();
  std::int32_t HeaderSize() const { return static_cast<std::int32_t>(header_.size()); }
  const std::uint8_t* Bits() const { return bits_.get(); }
  std::int32_t BitsSize() const { return bitsSize_; }
  bool BitsFromGlobalMemory() const { return global_; }

 private:
  std::vector<std::uint8_t> header_;
  std::unique_ptr<std::uint8_t[]> bits_;
  std::int32_t bitsSize_ = 0;
  bool global_ = false;
};

}  // namespace html
