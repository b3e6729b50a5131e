#pragma once

#include <cstdint>

#include "platform/gui/gdi_objects.h"

namespace cl {
class TCanvas;
}

namespace win {

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
  uint32_t biSize = 40;
  int32_t biWidth = 0;
  int32_t biHeight = 0;  // positive: rows bottom-up
  uint16_t biPlanes = 1;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};
struct RGBQUAD {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(RGBQUAD) == 4);

// Bytes of a DIB row of n bits: rows are padded to 32 bits.
constexpr int32_t DibRowBytes(int64_t bits) { return static_cast<int32_t>(((bits + 31) / 32) * 4); }

// A BITMAPINFO is the header followed by its colour table (2^bits entries for
// 8 bits or fewer); these calls read and write the table right after it.
//
// Reads rows [start, start + lines) of the bitmap in the header's format (1,
// 4, 8, 24 or 32 bits, uncompressed). Colour tables come from the palette
// selected into dc when there is one, else black/white (1 bit), the 16 VGA
// colours (4 bits) or the system palette (8 bits); pixels take the nearest
// entry. With bits null only biSizeImage and the table are filled. Returns the
// rows copied, 0 on failure.
int GetDIBits(const cl::TCanvas* dc, HBITMAP bitmap, uint32_t start, uint32_t lines, void* bits,
              BITMAPINFOHEADER* info, uint32_t usage);

// A device bitmap of the header's size initialised (CBM_INIT) from bits. On a
// device of 8 bits or fewer with a palette selected in dc, every pixel takes
// the nearest colour of that palette, as the device would show it.
HBITMAP CreateDIBitmap(const cl::TCanvas* dc, const BITMAPINFOHEADER* header, uint32_t init, const void* bits,
                       const BITMAPINFOHEADER* info, uint32_t usage);

// Draws DIB rows stretched onto dc with a raster operation; returns the rows
// drawn, 0 on failure.
int StretchDIBits(cl::TCanvas& dc, int32_t x, int32_t y, int32_t width, int32_t height, int32_t sx, int32_t sy,
                  int32_t sw, int32_t sh, const void* bits, const BITMAPINFOHEADER* info, uint32_t usage,
                  uint32_t rop);

}  // namespace win
