#pragma once

#include <cstdint>

#include "platform/gui/gdi_objects.h"

// The outside image decoder. Every call takes the source, the colour depth
// (4, 8 or 24; low byte significant), the mode flag, the bitmap handle to fill
// (0 on entry), the palette handle (the caller's current palette on entry),
// the progress callback and the option word.
//
// Result: 1 on success; then *bitmap is a new bitmap and *palette a new
// palette (or null) that the caller owns from now on; the palette passed in
// stays the caller's and is never handed back. Below 1 on failure (0 not
// decodable, -1 no such file, -2 stopped by the callback, -3 refused): then
// nothing is returned and both handles are left as they were. Refused means
// the headers were turned down before any pixel was made: a chunk or block
// longer than the data that follows, or a picture larger than the decoder's
// budget (30 megapixels, 128 MB decoded) or than the data could hold.
//
// The progress callback is called while decoding; returning 0 stops it.
// With a depth of 8 or less the pixels take the nearest colour of the palette
// passed in (or of the image's own / a 6x6x6 cube palette at 8, of the 16 VGA
// colours at 4), and *palette receives a copy of that palette.
//
// A depth of 1 asks for the picture's transparency instead of its colours:
// a monochrome bitmap, 1 (white) where a pixel is more than half
// transparent, 0 elsewhere (all 0 for an opaque picture); no palette.
//
// The GIF option text may say "frame=N" to pick a frame (the first is 0);
// anything else decodes the first frame. The BMP decoder reads uncompressed
// Windows bitmaps with a header of 40 bytes or more and refuses the others
// (OS/2 headers, run-length compression).

extern "C" {

typedef int32_t (*TDecodeProgress)();

int16_t rjpg(const char* fileName, int32_t depth, int32_t modeFlag, win::HBITMAP* bitmap, win::HPALETTE* palette,
             TDecodeProgress progress, uint16_t option);
int16_t rbmp(const char* fileName, int32_t depth, int32_t modeFlag, win::HBITMAP* bitmap, win::HPALETTE* palette,
             TDecodeProgress progress, uint16_t option);
int16_t rpng(const char* fileName, int32_t depth, int32_t modeFlag, win::HBITMAP* bitmap, win::HPALETTE* palette,
             TDecodeProgress progress, uint16_t option);
int16_t rgif(const char* fileName, int32_t depth, int32_t modeFlag, win::HBITMAP* bitmap, win::HPALETTE* palette,
             TDecodeProgress progress, uint16_t option, const char* optionText);

int16_t rjpgstream(const void* data, int32_t size, int32_t depth, int32_t one, uint16_t modeFlag,
                   win::HBITMAP* bitmap, win::HPALETTE* palette, TDecodeProgress progress, uint16_t option);
int16_t rbmpstream(const void* data, int32_t size, int32_t depth, uint16_t modeFlag, win::HBITMAP* bitmap,
                   win::HPALETTE* palette, TDecodeProgress progress, uint16_t option);
int16_t rpngstream(const void* data, int32_t size, int32_t depth, uint16_t modeFlag, win::HBITMAP* bitmap,
                   win::HPALETTE* palette, TDecodeProgress progress, uint16_t option);
int16_t rgifstream(const void* data, int32_t size, int32_t depth, uint16_t modeFlag, win::HBITMAP* bitmap,
                   win::HPALETTE* palette, TDecodeProgress progress, uint16_t option, const char* optionText);
}
