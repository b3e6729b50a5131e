#pragma once

#include <string>

#include "platform/core/stream.h"
#include "platform/gui/colors.h"

namespace html {

// Transparency probes. Each answers true with the transparent colour as an
// RGB value (0x00BBGGRR) and leaves the stream's position as it found it.

// A GIF89 whose global colour table (when the header says there is one) is
// followed directly by a graphic control extension that marks a transparent
// index: the colour of that index.
bool GifTransparentColor(cl::TStream& stream, cl::TColor& colour);
bool GifFileTransparentColor(const std::string& fileName, cl::TColor& colour);

// A GIF89 of more than one frame: the colour of the transparent index that the
// first frame's own graphic control extension marks, wherever it stands among
// the extensions before that frame (an animation opens with its looping
// application extension, which the probe above does not read past), taken
// from the frame's local table when it has one.
bool AnimatedGifTransparentColor(cl::TStream& stream, cl::TColor& colour);
bool AnimatedGifFileTransparentColor(const std::string& fileName, cl::TColor& colour);

// A palette PNG whose PLTE comes before a tRNS with a first alpha below 127:
// the first palette colour. The chunk walk stops at IDAT, IEND, a short read
// or a chunk that would end past the stream.
bool PngHasTransparentColor(cl::TStream& stream, cl::TColor& colour);
bool PngFileHasTransparentColor(const std::string& fileName, cl::TColor& colour);

// A PNG that is not a palette one and says which pixels are transparent: by
// an alpha channel (grey or colour with alpha) or by a tRNS chunk before the
// first IDAT (the one transparent grey or colour). Its mask comes from the
// decoder's transparency pass, not from a colour.
bool PngHasAlpha(cl::TStream& stream);
bool PngFileHasAlpha(const std::string& fileName);

}  // namespace html
