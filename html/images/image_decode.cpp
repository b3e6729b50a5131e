#include "html/images/image_decode.h"

#include <algorithm>
#include <cctype>
#include <type_traits>

#include "html/images/engine_palette.h"
#include "html/images/image_cache.h"
#include "html/images/image_probes.h"
#include "html/images/image_sniff.h"
#include "html/images/image_unit.h"
#include "html/images/masks.h"
#include "html/images/picdec_bind.h"
#include "platform/core/file_system.h"

namespace html {

namespace {

// The decoder palette is none during a mask pass and comes back afterwards,
// also when the pass fails.
class NoDecoderPalette {
 public:
  NoDecoderPalette() : saved_(ImageUnit().DecoderPalette) { ImageUnit().DecoderPalette = nullptr; }
  ~NoDecoderPalette() { ImageUnit().DecoderPalette = saved_; }
  NoDecoderPalette(const NoDecoderPalette&) = delete;
  NoDecoderPalette& operator=(const NoDecoderPalette&) = delete;

 private:
  win::HPALETTE saved_;
};

template <typename Loader>
std::unique_ptr<cl::TBitmap> Decoded(std::unique_ptr<cl::TBitmap> bitmap, bool convert, Loader&& load) {
  const TImageUnit& unit = ImageUnit();
  if (!load(unit.DecoderColorDepth, unit.DecoderModeFlag, *bitmap)) return nullptr;
  return convert ? ConvertToEnginePalette(std::move(bitmap)) : std::move(bitmap);
}

bool FileExists(const std::string& fileName) {
  const std::uint32_t attributes = win::GetFileAttributes(fileName);
  return attributes != win::INVALID_FILE_ATTRIBUTES && (attributes & win::FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The extension with its dot, lower-cased and cut to 10 characters.
std::string Extension(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of("\\/:");
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = fileName.substr(dot, 10);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

// The depth at which the decoder answers a picture's transparency as a
// monochrome mask (1 where transparent) instead of its colours.
constexpr std::uint8_t TransparencyDepth = 1;

// A PNG's transparency from the decoder, for a PNG whose alpha channel or
// single transparent grey or colour no colour of the decoded picture shows.
template <typename Load>
std::unique_ptr<cl::TBitmap> AlphaMask(Load&& load) {
  auto mask = std::make_unique<cl::TBitmap>();
  if (!load(TransparencyDepth, ImageUnit().DecoderModeFlag, *mask) || !mask->Monochrome()) return nullptr;
  return mask;
}

// The masked loaders' common part once the kind and colour are known; the
// mask comes from a decode of the colours, or from alphaMask when given.
template <typename Decode, typename AlphaPass>
std::unique_ptr<cl::TBitmap> DecodeWithMask(TTransparency kind, cl::TColor colour, std::unique_ptr<cl::TBitmap>& mask,
                                            Decode&& decode, AlphaPass&& alphaMask) {
  mask.reset();
  if (kind == trOpaque) return decode(true);
  std::unique_ptr<cl::TBitmap> made;
  if constexpr (std::is_null_pointer_v<std::decay_t<AlphaPass>>) {
    std::unique_ptr<cl::TBitmap> forMask;
    {
      NoDecoderPalette pass;
      forMask = decode(false);
    }
    if (forMask == nullptr) return nullptr;
    made = kind == trLowerLeft ? MakeMask(*forMask, false, 0) : MakeMask(*forMask, true, colour);
  } else {
    made = alphaMask();
  }
  if (made == nullptr) return nullptr;
  std::unique_ptr<cl::TBitmap> image = decode(true);
  // No picture to go with it: no mask either.
  if (image != nullptr) mask = std::move(made);
  return image;
}

}  // namespace

std::unique_ptr<cl::TBitmap> DecodeImageFile(const std::string& fileName, bool convert) {
  try {
    auto bitmap = std::make_unique<cl::TBitmap>();
    switch (SniffImageFileType(fileName)) {
      case itBmp: {
        bool loaded = false;
        try {
          const TImageUnit& unit = ImageUnit();
          loaded = LoadBmpFile(fileName, unit.DecoderColorDepth, unit.DecoderModeFlag, *bitmap, DecodeProgress);
        } catch (...) {
          loaded = false;
        }
        if (!loaded) bitmap->LoadFromFile(fileName);
        return convert ? ConvertToEnginePalette(std::move(bitmap)) : std::move(bitmap);
      }
      case itGif87:
      case itGif89:
        return Decoded(std::move(bitmap), convert, [&](std::uint8_t d, std::uint8_t m, cl::TBitmap& b) {
          return LoadGifFile(fileName, d, m, b, DecodeProgress);
        });
      case itPng:
        return Decoded(std::move(bitmap), convert, [&](std::uint8_t d, std::uint8_t m, cl::TBitmap& b) {
          return LoadPngFile(fileName, d, m, b, DecodeProgress);
        });
      case itJpeg:
        return Decoded(std::move(bitmap), convert, [&](std::uint8_t d, std::uint8_t m, cl::TBitmap& b) {
          return LoadJpegFile(fileName, d, m, b, DecodeProgress);
        });
      default:
        return nullptr;
    }
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<cl::TBitmap> DecodeImageStream(cl::TMemoryStream* stream, bool convert) {
  try {
    if (!StreamHasData(stream)) return nullptr;
    auto bitmap = std::make_unique<cl::TBitmap>();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(stream->Memory());
    switch (SniffImageType(bytes, static_cast<std::size_t>(stream->Size()))) {
      case itBmp: {
        bool loaded = false;
        try {
          const TImageUnit& unit = ImageUnit();
          loaded = LoadBmpStream(stream, unit.DecoderColorDepth, unit.DecoderModeFlag, *bitmap, DecodeProgress);
        } catch (...) {
          loaded = false;
        }
        // The whole buffer, from its first byte, as the kind was sniffed.
        if (!loaded) bitmap->LoadFromMemory(stream->Memory(), static_cast<std::size_t>(stream->Size()));
        return convert ? ConvertToEnginePalette(std::move(bitmap)) : std::move(bitmap);
      }
      case itGif87:
      case itGif89:
        return Decoded(std::move(bitmap), convert, [&](std::uint8_t d, std::uint8_t m, cl::TBitmap& b) {
          return LoadGifStream(stream, d, m, b, DecodeProgress);
        });
      case itPng:
        return Decoded(std::move(bitmap), convert, [&](std::uint8_t d, std::uint8_t m, cl::TBitmap& b) {
          return LoadPngStream(stream, d, m, b, DecodeProgress);
        });
      case itJpeg:
        return Decoded(std::move(bitmap), convert, [&](std::uint8_t d, std::uint8_t m, cl::TBitmap& b) {
          return LoadJpegStream(stream, d, m, b, DecodeProgress);
        });
      default:
        return nullptr;
    }
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<cl::TBitmap> DecodeImageFileForDisplay(const std::string& fileName) {
  return DecodeImageFile(fileName, true);
}

std::unique_ptr<cl::TBitmap> DecodeImageFileMasked(const std::string& fileName, TTransparency& transparencyKind,
                                                   std::unique_ptr<cl::TBitmap>& mask) {
  try {
    if (!FileExists(fileName)) return nullptr;
    cl::TColor colour = 0;
    const std::string ext = Extension(fileName);
    if (ext == ".gif" &&
        (GifFileTransparentColor(fileName, colour) || AnimatedGifFileTransparentColor(fileName, colour)))
      transparencyKind = trGifColor;
    else if (ext == ".png" && PngFileHasTransparentColor(fileName, colour))
      transparencyKind = trPngColor;
    else if (ext == ".png" && PngFileHasAlpha(fileName))
      return DecodeWithMask(trPngColor, 0, mask, [&](bool convert) { return DecodeImageFile(fileName, convert); },
                            [&] {
                              transparencyKind = trPngColor;
                              return AlphaMask([&](std::uint8_t d, std::uint8_t m, cl::TBitmap& b) {
                                return LoadPngFile(fileName, d, m, b, DecodeProgress);
                              });
                            });
    return DecodeWithMask(transparencyKind, colour, mask,
                          [&](bool convert) { return DecodeImageFile(fileName, convert); }, nullptr);
  } catch (...) {
    mask.reset();
    return nullptr;
  }
}

std::unique_ptr<cl::TBitmap> DecodeImageStreamMasked(cl::TMemoryStream* stream, TTransparency& transparencyKind,
                                                     std::unique_ptr<cl::TBitmap>& mask) {
  try {
    if (stream == nullptr || stream->Memory() == nullptr || stream->Size() < 20) return nullptr;
    stream->SetPosition(0);
    cl::TColor colour = 0;
    if (GifTransparentColor(*stream, colour) || AnimatedGifTransparentColor(*stream, colour))
      transparencyKind = trGifColor;
    else if (PngHasTransparentColor(*stream, colour))
      transparencyKind = trPngColor;
    else if (PngHasAlpha(*stream))
      return DecodeWithMask(trPngColor, 0, mask, [&](bool convert) { return DecodeImageStream(stream, convert); },
                            [&] {
                              transparencyKind = trPngColor;
                              return AlphaMask([&](std::uint8_t d, std::uint8_t m, cl::TBitmap& b) {
                                return LoadPngStream(stream, d, m, b, DecodeProgress);
                              });
                            });
    return DecodeWithMask(transparencyKind, colour, mask,
                          [&](bool convert) { return DecodeImageStream(stream, convert); }, nullptr);
  } catch (...) {
    mask.reset();
    return nullptr;
  }
}

}  // namespace html
