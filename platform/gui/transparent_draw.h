#pragma once

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/colors.h"
#include "platform/gui/geometry.h"

namespace cl {

// Copies the source rectangle of bitmap onto dest of the canvas (stretched
// when the sizes differ), leaving the canvas as it was wherever the bitmap
// has the transparent colour (the class library's BrushCopy).
void DrawTransparent(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, const TRect& source, TColor transparent);

}  // namespace cl
