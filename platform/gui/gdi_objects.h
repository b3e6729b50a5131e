#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// Bitmap and palette handles. As on Windows a handle is owned by whoever holds
// it until DeleteObject; TBitmap takes ownership of the handles it is given.
namespace win {

struct GdiBitmap;
struct GdiPalette;
using HBITMAP = GdiBitmap*;
using HPALETTE = GdiPalette*;

// A bitmap's own description (GetObject on a bitmap).
struct BITMAP {
  int32_t bmType = 0;
  int32_t bmWidth = 0;
  int32_t bmHeight = 0;
  int32_t bmWidthBytes = 0;
  uint16_t bmPlanes = 1;
  uint16_t bmBitsPixel = 0;
};

// A device bitmap: bitsPerPixel 1 gives a monochrome bitmap (0 black, 1
// white), anything else a colour bitmap of 32 bits per pixel, cleared to black
// (monochrome: to 0). Null for a size below 1 or too large.
HBITMAP CreateBitmap(int32_t width, int32_t height, int bitsPerPixel);
// A colour bitmap as the screen makes it.
HBITMAP CreateCompatibleBitmap(int32_t width, int32_t height);
bool GetObject(HBITMAP bitmap, BITMAP& description);
// Puts width x height pixels into the bitmap at (x, y), leaving the rest as
// it was: colours as 0x00RRGGBB, rows of stride pixels, top row first; a
// monochrome bitmap takes 1 (white) for 0x00FFFFFF and 0 for anything else.
// False, and nothing written, when the rectangle does not lie inside.
bool SetBitmapPixels(HBITMAP bitmap, int32_t x, int32_t y, int32_t width, int32_t height, const uint32_t* pixels,
                     int32_t stride);
HBITMAP CopyBitmap(HBITMAP bitmap);
bool DeleteObject(HBITMAP bitmap);

struct PALETTEENTRY {
  uint8_t peRed = 0;
  uint8_t peGreen = 0;
  uint8_t peBlue = 0;
  uint8_t peFlags = 0;
  friend bool operator==(const PALETTEENTRY&, const PALETTEENTRY&) = default;
};

// A logical palette (version 0x300); null for no entries or more than 256.
HPALETTE CreatePalette(uint16_t version, const std::vector<PALETTEENTRY>& entries);
// Copies up to count entries from start; returns how many were copied.
int GetPaletteEntries(HPALETTE palette, int start, int count, PALETTEENTRY* out);
int PaletteEntryCount(HPALETTE palette);
// The index of the entry nearest the RGB colour (squared distance).
int GetNearestPaletteIndex(HPALETTE palette, int32_t rgbColor);
// The system palette of an 8-bit display: the twenty static colours at 0-9
// and 246-255, black between.
int GetSystemPaletteEntries(int start, int count, PALETTEENTRY* out);
bool DeleteObject(HPALETTE palette);

struct BitmapDeleter {
  void operator()(GdiBitmap* bitmap) const { DeleteObject(bitmap); }
};
struct PaletteDeleter {
  void operator()(GdiPalette* palette) const { DeleteObject(palette); }
};
using UniqueBitmap = std::unique_ptr<GdiBitmap, BitmapDeleter>;
using UniquePalette = std::unique_ptr<GdiPalette, PaletteDeleter>;

}  // namespace win
