#include <cstdint>

#include "platform/core/export_guard.h"
#include "suite/picdec/picdec.h"
#include "suite/picdec/picture_decoder.h"

namespace {

// Nothing is thrown across the calls; handles go out only on success.
int16_t Finish(int16_t result, picdec::Decoded& decoded, win::HBITMAP* bitmap, win::HPALETTE* palette) {
  if (result < picdec::Success) return result;
  *bitmap = decoded.bitmap.release();
  *palette = decoded.palette.release();
  return result;
}

int16_t FromMemory(picdec::Kind kind, const void* data, int32_t size, int32_t depth, win::HBITMAP* bitmap,
                   win::HPALETTE* palette, TDecodeProgress progress, int frame) noexcept {
  if (bitmap == nullptr || palette == nullptr || data == nullptr || size <= 0) return picdec::NotDecodable;
  return ExportGuard<int16_t>(picdec::NotDecodable, [&] {
    picdec::Request request{depth & 0xFF, *palette, progress, frame};
    picdec::Decoded decoded;
    const int16_t result =
        picdec::Decode(kind, static_cast<const uint8_t*>(data), static_cast<size_t>(size), request, decoded);
    return Finish(result, decoded, bitmap, palette);
  });
}

int16_t FromFile(picdec::Kind kind, const char* fileName, int32_t depth, win::HBITMAP* bitmap, win::HPALETTE* palette,
                 TDecodeProgress progress, int frame) noexcept {
  if (bitmap == nullptr || palette == nullptr) return picdec::NotDecodable;
  return ExportGuard<int16_t>(picdec::NotDecodable, [&]() -> int16_t {
    const auto data = picdec::ReadWholeFile(fileName);
    if (!data) return picdec::NoSuchFile;
    if (data->empty()) return picdec::NotDecodable;
    return FromMemory(kind, data->data(), static_cast<int32_t>(data->size()), depth, bitmap, palette, progress, frame);
  });
}

}  // namespace

BRANNIK_EXPORT int16_t rjpg(const char* fileName, int32_t depth, int32_t, win::HBITMAP* bitmap,
                           win::HPALETTE* palette, TDecodeProgress progress, uint16_t) {
  return FromFile(picdec::Kind::Jpeg, fileName, depth, bitmap, palette, progress, 0);
}

BRANNIK_EXPORT int16_t rbmp(const char* fileName, int32_t depth, int32_t, win::HBITMAP* bitmap,
                           win::HPALETTE* palette, TDecodeProgress progress, uint16_t) {
  return FromFile(picdec::Kind::Bmp, fileName, depth, bitmap, palette, progress, 0);
}

BRANNIK_EXPORT int16_t rpng(const char* fileName, int32_t depth, int32_t, win::HBITMAP* bitmap,
                           win::HPALETTE* palette, TDecodeProgress progress, uint16_t) {
  return FromFile(picdec::Kind::Png, fileName, depth, bitmap, palette, progress, 0);
}

BRANNIK_EXPORT int16_t rgif(const char* fileName, int32_t depth, int32_t, win::HBITMAP* bitmap,
                           win::HPALETTE* palette, TDecodeProgress progress, uint16_t, const char* optionText) {
  return FromFile(picdec::Kind::Gif, fileName, depth, bitmap, palette, progress,
                  picdec::FrameOfOptionText(optionText));
}

BRANNIK_EXPORT int16_t rjpgstream(const void* data, int32_t size, int32_t depth, int32_t, uint16_t,
                                 win::HBITMAP* bitmap, win::HPALETTE* palette, TDecodeProgress progress, uint16_t) {
  return FromMemory(picdec::Kind::Jpeg, data, size, depth, bitmap, palette, progress, 0);
}

BRANNIK_EXPORT int16_t rbmpstream(const void* data, int32_t size, int32_t depth, uint16_t, win::HBITMAP* bitmap,
                                 win::HPALETTE* palette, TDecodeProgress progress, uint16_t) {
  return FromMemory(picdec::Kind::Bmp, data, size, depth, bitmap, palette, progress, 0);
}

BRANNIK_EXPORT int16_t rpngstream(const void* data, int32_t size, int32_t depth, uint16_t, win::HBITMAP* bitmap,
                                 win::HPALETTE* palette, TDecodeProgress progress, uint16_t) {
  return FromMemory(picdec::Kind::Png, data, size, depth, bitmap, palette, progress, 0);
}

BRANNIK_EXPORT int16_t rgifstream(const void* data, int32_t size, int32_t depth, uint16_t, win::HBITMAP* bitmap,
                                 win::HPALETTE* palette, TDecodeProgress progress, uint16_t, const char* optionText) {
  return FromMemory(picdec::Kind::Gif, data, size, depth, bitmap, palette, progress,
                    picdec::FrameOfOptionText(optionText));
}
