#pragma once

#include <memory>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_objects.h"

namespace html {

// The engine palette of 8-bit screens: the system colours at both ends, a
// 6x6x6 colour cube and 24 greys. It becomes both EnginePalette and
// DecoderPalette of the image unit.
void BuildEnginePalette(cl::TCanvas& dc);

// A new palette with the same entries; none when the source has none.
win::HPALETTE CopyPalette(win::HPALETTE palette);

// On screens of 8 bits or fewer, a bitmap redrawn through the engine palette
// (the source is freed and a new bitmap returned); deeper screens get the
// bitmap back unchanged. Null gives null.
std::unique_ptr<cl::TBitmap> ConvertToEnginePalette(std::unique_ptr<cl::TBitmap> bitmap);

}  // namespace html
