#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "html/document/transparency.h"
#include "platform/core/memory_stream.h"
#include "platform/gui/bitmap.h"

namespace html {

// Decoding never raises: every failure gives null.

// A picture file decoded by its first bytes; with convert, redrawn through the
// engine palette on 8-bit screens. A BMP the decoder refuses is read by the
// class library's own bitmap reader instead.
std::unique_ptr<cl::TBitmap> DecodeImageFile(const std::string& fileName, bool convert);
std::unique_ptr<cl::TBitmap> DecodeImageStream(cl::TMemoryStream* stream, bool convert);
std::unique_ptr<cl::TBitmap> DecodeImageFileForDisplay(const std::string& fileName);

// Masked loaders. transparencyKind comes in as trLowerLeft when the document
// asks for transparency by the lower-left pixel, else trOpaque, and may come
// out as trGifColor or trPngColor. With a kind other than trOpaque an image
// is only returned together with its mask; a mask that cannot be made means
// no image. A missing file or a stream of fewer than 20 bytes gives null and
// leaves mask alone.
std::unique_ptr<cl::TBitmap> DecodeImageFileMasked(const std::string& fileName, TTransparency& transparencyKind,
                                                   std::unique_ptr<cl::TBitmap>& mask);
std::unique_ptr<cl::TBitmap> DecodeImageStreamMasked(cl::TMemoryStream* stream, TTransparency& transparencyKind,
                                                     std::unique_ptr<cl::TBitmap>& mask);

}  // namespace html
