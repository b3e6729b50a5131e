#include "html/images/picdec_bind.h"

#include "html/images/engine_palette.h"
#include "html/images/image_unit.h"
#include "platform/core/message_hooks.h"
#include "platform/gui/application.h"

namespace html {

namespace {

template <typename Call>
bool CallDecoder(cl::TBitmap& bitmap, Call&& call) {
  win::HBITMAP handle = nullptr;
  const win::HPALETTE passed = ImageUnit().DecoderPalette;
  win::HPALETTE palette = passed;
  const std::int16_t result = call(&handle, &palette);
  if (result < 1 || handle == nullptr) {
    // Nothing returned on failure is used; should a decoder return handles
    // anyway, they are not leaked.
    win::DeleteObject(handle);
    if (palette != passed) win::DeleteObject(palette);
    DecodeFailedHook();
    return false;
  }
  bitmap.SetHandle(handle);
  // A decoder handing back the palette it was given must not make the bitmap
  // the owner of the engine's palette: the bitmap gets its own copy then.
  bitmap.SetPalette(palette != nullptr && palette == passed ? CopyPalette(palette) : palette);
  return true;
}

// The option text of the GIF calls: the first frame.
constexpr const char* GifOptionText = "frame=0";

}  // namespace

bool StreamHasData(cl::TMemoryStream* stream) {
  return stream != nullptr && stream->Memory() != nullptr && stream->Size() > 0;
}

std::int32_t DecodeProgress() {
  if (cl::Application().Terminated()) return 0;
  win::PumpMessages();
  return 1;
}

void DecodeFailedHook() {}

bool LoadJpegFile(const std::string& fileName, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                  TDecodeProgress progress) {
  return CallDecoder(bitmap, [&](win::HBITMAP* h, win::HPALETTE* p) {
    return rjpg(fileName.c_str(), depth, modeFlag, h, p, progress, ImageUnit().DecoderOptionWord);
  });
}

bool LoadGifFile(const std::string& fileName, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                 TDecodeProgress progress) {
  return CallDecoder(bitmap, [&](win::HBITMAP* h, win::HPALETTE* p) {
    return rgif(fileName.c_str(), depth, modeFlag, h, p, progress, ImageUnit().DecoderOptionWord, GifOptionText);
  });
}

bool LoadBmpFile(const std::string& fileName, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                 TDecodeProgress progress) {
  return CallDecoder(bitmap, [&](win::HBITMAP* h, win::HPALETTE* p) {
    return rbmp(fileName.c_str(), depth, modeFlag, h, p, progress, ImageUnit().DecoderOptionWord);
  });
}

bool LoadPngFile(const std::string& fileName, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                 TDecodeProgress progress) {
  return CallDecoder(bitmap, [&](win::HBITMAP* h, win::HPALETTE* p) {
    return rpng(fileName.c_str(), depth, modeFlag, h, p, progress, ImageUnit().DecoderOptionWord);
  });
}

namespace {

std::int32_t StreamSize(cl::TMemoryStream* stream) {
  const std::int64_t size = stream->Size();
  return size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<std::int32_t>(size);
}

}  // namespace

bool LoadJpegStream(cl::TMemoryStream* stream, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                    TDecodeProgress progress) {
  if (!StreamHasData(stream)) return false;
  return CallDecoder(bitmap, [&](win::HBITMAP* h, win::HPALETTE* p) {
    return rjpgstream(stream->Memory(), StreamSize(stream), depth, 1, modeFlag, h, p, progress,
                      ImageUnit().DecoderOptionWord);
  });
}

bool LoadGifStream(cl::TMemoryStream* stream, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                   TDecodeProgress progress) {
  if (!StreamHasData(stream)) return false;
  return CallDecoder(bitmap, [&](win::HBITMAP* h, win::HPALETTE* p) {
    return rgifstream(stream->Memory(), StreamSize(stream), depth, modeFlag, h, p, progress,
                      ImageUnit().DecoderOptionWord, GifOptionText);
  });
}

bool LoadBmpStream(cl::TMemoryStream* stream, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                   TDecodeProgress progress) {
  if (!StreamHasData(stream)) return false;
  return CallDecoder(bitmap, [&](win::HBITMAP* h, win::HPALETTE* p) {
    return rbmpstream(stream->Memory(), StreamSize(stream), depth, modeFlag, h, p, progress,
                      ImageUnit().DecoderOptionWord);
  });
}

bool LoadPngStream(cl::TMemoryStream* stream, std::uint8_t depth, std::uint8_t modeFlag, cl::TBitmap& bitmap,
                   TDecodeProgress progress) {
  if (!StreamHasData(stream)) return false;
  return CallDecoder(bitmap, [&](win::HBITMAP* h, win::HPALETTE* p) {
    return rpngstream(stream->Memory(), StreamSize(stream), depth, modeFlag, h, p, progress,
                      ImageUnit().DecoderOptionWord);
  });
}

}  // namespace html
