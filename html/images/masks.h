#pragma once

#include <cstdint>
#include <memory>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/colors.h"

namespace html {

// A monochrome mask of the bitmap, 1 where a pixel has the colour (the
// lower-left pixel's when useColour is false); null when it cannot be made.
std::unique_ptr<cl::TBitmap> MakeMask(cl::TBitmap& bitmap, bool useColour, cl::TColor colour);

// Draws image through mask at (x, y), both stretched to destWidth x
// destHeight: the destination shows where the mask is 1, the image where it
// is 0. Nothing is drawn on a device of one plane of one bit.
void DrawMasked(cl::TCanvas& dc, cl::TBitmap& image, cl::TBitmap& mask, std::int32_t x, std::int32_t y,
                std::int32_t destWidth, std::int32_t destHeight);

// The picture with every pixel the mask marks (1) turned white: a printer
// cannot show the page through a mask, so transparent parts print as paper.
// A bitmap of the image's size drawn with palette (when there is one)
// realised; null for an empty image.
std::unique_ptr<cl::TBitmap> CombineImageAndMask(cl::TBitmap& image, cl::TBitmap& mask, win::HPALETTE palette);

// The printer's way of drawing a picture: combined with its mask when it has
// one, turned into device-independent rows through palette and stretched
// onto the destination with a plain copy.
void PrintPicture(cl::TCanvas& dc, cl::TBitmap& image, cl::TBitmap* mask, win::HPALETTE palette, std::int32_t x,
                  std::int32_t y, std::int32_t destWidth, std::int32_t destHeight);

}  // namespace html
