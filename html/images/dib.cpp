#include "html/images/dib.h"

#include <new>

#include "html/images/image_unit.h"
#include "platform/core/out_of_memory.h"
#include "platform/gui/gdi_constants.h"

namespace html {

TDib::TDib(cl::TCanvas* dc, const cl::TBitmap& bitmap) {
  InitHeader(bitmap.Handle());
  AllocBits(static_cast<std::int32_t>(Header()->biSizeImage));
  try {
    GetBits(dc, bitmap.Handle(), bitmap.Palette());
  } catch (...) {
    FreeBits();
    throw;
  }
}

TDib::~TDib() { FreeBits(); }

const win::BITMAPINFOHEADER* TDib::Header() const {
  return reinterpret_cast<const win::BITMAPINFOHEADER*>(header_.data());
}
win::BITMAPINFOHEADER* TDib::Header() { return reinterpret_cast<win::BITMAPINFOHEADER*>(header_.data()); }

void TDib::InitHeader(win::HBITMAP bitmap) {
  win::BITMAP description;
  if (!win::GetObject(bitmap, description)) throw cl::EOutOfMemory();
  int bits = description.bmPlanes * description.bmBitsPixel;
  header_.assign(bits <= 8 ? 40 + 4 * (std::size_t{1} << bits) : 40, 0);
  if (bits == 16 || bits == 32) bits = 24;
  win::BITMAPINFOHEADER& h = *Header();
  h.biSize = 40;
  h.biWidth = description.bmWidth;
  h.biHeight = description.bmHeight;
  h.biPlanes = 1;
  h.biBitCount = static_cast<std::uint16_t>(bits);
  h.biCompression = win::BI_RGB;
  const std::int64_t size = std::int64_t{RowBytes(bits * description.bmWidth)} * description.bmHeight;
  if (size > 0x7FFFFFFF) throw cl::EOutOfMemory();
  h.biSizeImage = static_cast<std::uint32_t>(size);
}

void TDib::AllocBits(std::int32_t size) {
  FreeBits();
  if (size <= 0) return;
  if (size < LargeBlock) {
    bits_ = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(size));
  } else {
    bits_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)]);
    if (!bits_) cl::Abort();
    global_ = true;
  }
  bitsSize_ = size;
}

void TDib::FreeBits() {
  bits_.reset();
  bitsSize_ = 0;
  global_ = false;
}

void TDib::GetBits(cl::TCanvas* dc, win::HBITMAP bitmap, win::HPALETTE palette) {
  win::HPALETTE old = nullptr;
  if (dc != nullptr && palette != nullptr) {
    old = dc->SelectPalette(palette, false);
    dc->RealizePalette();
  }
  const int rows = bits_ ? win::GetDIBits(dc, bitmap, 0, static_cast<std::uint32_t>(Header()->biHeight),
                                          bits_.get(), Header(), win::DIB_RGB_COLORS)
                         : 0;
  if (dc != nullptr && palette != nullptr) dc->SelectPalette(old, false);
  if (rows == 0) {
    if (dc == nullptr) BitmapList().PurgeIdle();
    throw cl::EOutOfMemory();
  }
}

void TDib::StretchDraw(cl::TCanvas& dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       std::uint32_t rasterOp) const {
  if (!bits_) return;
  win::StretchDIBits(dc, x, y, width, height, 0, 0, Header()->biWidth, Header()->biHeight, bits_.get(), Header(),
                     win::DIB_RGB_COLORS, rasterOp);
}

win::HBITMAP TDib::CreateDeviceBitmap(cl::TCanvas* dc) const {
  if (!bits_) return nullptr;
  return win::CreateDIBitmap(dc, Header(), win::CBM_INIT, bits_.get(), Header(), win::DIB_RGB_COLORS);
}

}  // namespace html
