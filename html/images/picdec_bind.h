#pragma once

#include <cstdint>
#include <string>

#include "platform/core/memory_stream.h"
#include "platform/gui/bitmap.h"
#include "suite/picdec/picdec.h"

namespace html {

// The calls into the outside image decoder. On success the bitmap takes the
// returned bitmap and palette handles and the answer is true; on failure
// nothing returned is used, DecodeFailedHook runs and the answer is false.
// The decoder gets the current DecoderPalette and DecoderOptionWord.
// Exceptions pass to the caller.

bool LoadJpegFile(const std::string& fileName, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                  TDecodeProgress progress);
bool LoadGifFile(const std::string& fileName, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                 TDecodeProgress progress);
bool LoadBmpFile(const std::string& fileName, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                 TDecodeProgress progress);
bool LoadPngFile(const std::string& fileName, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                 TDecodeProgress progress);

// Stream calls answer false at once when StreamHasData is false.
bool LoadJpegStream(cl::TMemoryStream* stream, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                    TDecodeProgress progress);
bool LoadGifStream(cl::TMemoryStream* stream, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                   TDecodeProgress progress);
bool LoadBmpStream(cl::TMemoryStream* stream, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                   TDecodeProgress progress);
bool LoadPngStream(cl::TMemoryStream* stream, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                   TDecodeProgress progress);

// A stream that is there, has a buffer and is not empty.
bool StreamHasData(cl::TMemoryStream* stream);

// The progress callback: 0 (stop) once the application is terminating, else
// the pending messages run and the answer is 1 (go on). Paint and input
// handlers therefore run in the middle of a decode.
std::int32_t DecodeProgress();

// Called after every failed decoder call; does nothing.
void DecodeFailedHook();

}  // namespace html
