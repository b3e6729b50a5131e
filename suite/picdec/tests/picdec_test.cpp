#include "suite/picdec/picdec.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/test_support/image_fixtures.h"

namespace {

using fixtures::Bytes;

int progressCalls = 0;
int32_t CountingProgress() {
  ++progressCalls;
  return 1;
}
int32_t StoppingProgress() {
  ++progressCalls;
  return 0;
}

struct Result {
  int16_t code = 0;
  win::UniqueBitmap bitmap;
  win::UniquePalette palette;
};

enum class Call { Bmp, Gif, Jpeg, Png };

Result FromStream(Call call, const Bytes& data, int depth = 24, win::HPALETTE palette = nullptr,
                  TDecodeProgress progress = CountingProgress) {
  win::HBITMAP bitmap = nullptr;
  win::HPALETTE pal = palette;
  const void* p = data.data();
  const auto size = static_cast<int32_t>(data.size());
  Result r;
  switch (call) {
    case Call::Bmp: r.code = rbmpstream(p, size, depth, 1, &bitmap, &pal, progress, 0); break;
    case Call::Gif: r.code = rgifstream(p, size, depth, 1, &bitmap, &pal, progress, 0, ""); break;
    case Call::Jpeg: r.code = rjpgstream(p, size, depth, 1, 1, &bitmap, &pal, progress, 0); break;
    case Call::Png: r.code = rpngstream(p, size, depth, 1, &bitmap, &pal, progress, 0); break;
  }
  r.bitmap.reset(bitmap);
  if (pal != palette) r.palette.reset(pal);
  return r;
}

QRgb Pixel(const Result& r, int x, int y) { return r.bitmap->image.pixel(x, y) & 0xFFFFFFu; }

Bytes QtEncoded(const char* format, int quality = -1) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(qRgb(200, 30, 40));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (quality >= 0) writer.setQuality(quality);
  EXPECT_TRUE(writer.write(image)) << format;
  return Bytes(bytes.begin(), bytes.end());
}

const std::vector<fixtures::Rgb> kTable = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}};

TEST(Picdec, EveryListedCallIsExported) {
  void* library = dlopen(LIBRARY_PATH, RTLD_NOW);
  ASSERT_NE(library, nullptr);
  std::ifstream list(LIBRARY_EXPORT_LIST);
  std::string line;
  int names = 0;
  while (std::getline(list, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::string name = line.substr(line.find('\t') + 1);
    EXPECT_NE(dlsym(library, name.c_str()), nullptr) << name;
    ++names;
  }
  EXPECT_EQ(names, 8);
  EXPECT_EQ(dlsym(library, "_ZN6picdec6DecodeENS_4KindEPKhmRKNS_7RequestERNS_7DecodedE"), nullptr);
  dlclose(library);
}

TEST(Picdec, EachKindDecodesFromMemoryIntoAColourBitmapTheCallerOwns) {
  struct Case {
    Call call;
    Bytes data;
    QRgb topLeft;
  };
  fixtures::GifOptions gif;
  gif.globalTable = kTable;
  const Case cases[] = {
      {Call::Bmp, fixtures::Bmp24(2, 1, {{1, 2, 3}, {250, 251, 252}}), qRgb(1, 2, 3)},
      {Call::Gif, fixtures::Gif(gif), qRgb(255, 0, 0)},
      {Call::Png, fixtures::PalettePng(fixtures::PngChunk("PLTE", {9, 8, 7, 6, 5, 4})), qRgb(9, 8, 7)},
      {Call::Png, QtEncoded("PNG"), qRgb(200, 30, 40)},
  };
  for (const auto& c : cases) {
    progressCalls = 0;
    const Result r = FromStream(c.call, c.data);
    ASSERT_EQ(r.code, 1) << int(c.call);
    ASSERT_NE(r.bitmap, nullptr);
    EXPECT_EQ(r.bitmap->image.format(), QImage::Format_RGB32);
    EXPECT_EQ(Pixel(r, 0, 0), c.topLeft & 0xFFFFFFu) << int(c.call);
    EXPECT_EQ(r.palette, nullptr);  // none at 24 bits
    EXPECT_GE(progressCalls, 2);
  }
  const Result jpeg = FromStream(Call::Jpeg, QtEncoded("JPEG", 100));
  ASSERT_EQ(jpeg.code, 1);
  EXPECT_NEAR(qRed(Pixel(jpeg, 1, 1)), 200, 8);
  EXPECT_NEAR(qGreen(Pixel(jpeg, 1, 1)), 30, 8);
}

TEST(Picdec, GifTransparentPixelsKeepTheirTableColour) {
  fixtures::GifOptions gif;
  gif.globalTable = kTable;
  gif.blocksBeforeImage = fixtures::GifControlExtension(true, 1);
  const Result r = FromStream(Call::Gif, fixtures::Gif(gif));
  ASSERT_EQ(r.code, 1);
  EXPECT_EQ(Pixel(r, 1, 0), qRgb(0, 0, 255) & 0xFFFFFFu);
  EXPECT_EQ(Pixel(r, 0, 0), qRgb(255, 0, 0) & 0xFFFFFFu);
}

TEST(Picdec, FailuresReturnNothingAndLeaveTheHandlesAlone) {
  struct Case {
    Call call;
    Bytes data;
  };
  const Case cases[] = {
      {Call::Jpeg, {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3}},
      {Call::Png, {0x89, 'P', 'N', 'G'}},
      {Call::Gif, {'G', 'I', 'F', '8', '9', 'a'}},
      {Call::Bmp, fixtures::BmpRle8Row(2, {10, 20, 30})},  // compressed: refused
      {Call::Bmp, fixtures::Bmp24(1, 1, {{0, 0, 0}})},     // cut below
  };
  win::UniquePalette callers(win::CreatePalette(0x300, std::vector<win::PALETTEENTRY>(4)));
  for (size_t i = 0; i < std::size(cases); ++i) {
    Bytes data = cases[i].data;
    if (i == 4) data.resize(20);
    win::HBITMAP bitmap = nullptr;
    win::HPALETTE palette = callers.get();
    int16_t code = 0;
    switch (cases[i].call) {
      case Call::Bmp: code = rbmpstream(data.data(), int32_t(data.size()), 24, 1, &bitmap, &palette, nullptr, 0); break;
      case Call::Gif: code = rgifstream(data.data(), int32_t(data.size()), 24, 1, &bitmap, &palette, nullptr, 0, ""); break;
      case Call::Jpeg: code = rjpgstream(data.data(), int32_t(data.size()), 24, 1, 1, &bitmap, &palette, nullptr, 0); break;
      case Call::Png: code = rpngstream(data.data(), int32_t(data.size()), 24, 1, &bitmap, &palette, nullptr, 0); break;
    }
    EXPECT_LT(code, 1) << i;
    EXPECT_EQ(bitmap, nullptr) << i;
    EXPECT_EQ(palette, callers.get()) << i;
  }
}

// A copy of data with the bytes written from offset on.
Bytes Patched(Bytes data, size_t offset, std::initializer_list<uint8_t> bytes) {
  for (const uint8_t b : bytes) data.at(offset++) = b;
  return data;
}

TEST(Picdec, HeadersClaimingMoreThanTheDataOrTheBudgetAreRefusedBeforeAnyPixel) {
  using fixtures::Concat;
  using fixtures::PngChunk;
  using fixtures::PngIhdr;
  using fixtures::PngSignature;
  // A text chunk that declares almost 2 GB and holds ten bytes.
  Bytes hugeText = PngChunk("tEXt", Bytes(10, 'a'));
  hugeText = Patched(hugeText, 0, {0x7F, 0xFF, 0xFF, 0xF0});
  const Bytes idat = PngChunk("IDAT", fixtures::PngIdat({{0, 1}, {1, 0}}));
  fixtures::GifOptions gif;
  gif.globalTable = kTable;
  const Bytes plainGif = fixtures::Gif(gif);
  const size_t descriptor = 13 + 3 * 4 + 1;  // after the table and the 0x2C
  const Bytes jpegHeader = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0,                       // APP0
                            0xFF, 0xC0, 0, 11, 8, 0xFD, 0xE8, 0xFD, 0xE8, 1, 1, 0x11, 0,  // 65000 x 65000
                            0xFF, 0xD9};
  struct Case {
    const char* what;
    Call call;
    Bytes data;
  };
  const Case cases[] = {
      {"chunk longer than the file", Call::Png,
       Concat({PngSignature(), PngChunk("IHDR", PngIhdr(2, 2, 8, 3)), hugeText})},
      {"chunk header cut off after its type", Call::Png,
       Concat({PngSignature(), PngChunk("IHDR", PngIhdr(2, 2, 8, 3)), Bytes(hugeText.begin(), hugeText.begin() + 11)})},
      {"PNG over the budget", Call::Png,
       Concat({PngSignature(), PngChunk("IHDR", PngIhdr(100000, 100000, 8, 2)), idat, PngChunk("IEND", {})})},
      {"PNG rows no deflate stream could come from", Call::Png,
       Concat({PngSignature(), PngChunk("IHDR", PngIhdr(20000, 1000, 8, 2)), idat, PngChunk("IEND", {})})},
      {"BMP over the budget", Call::Bmp, fixtures::Bmp8Claim(131075, 254, 0)},
      {"BMP rows the file does not hold", Call::Bmp, fixtures::Bmp8Claim(4000, 4000, 0)},
      {"BMP top-down rows the file does not hold", Call::Bmp, fixtures::Bmp8Claim(4000, -4000, 64)},
      {"GIF screen over the budget", Call::Gif, Patched(plainGif, 6, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"GIF image placed far outside the screen", Call::Gif,
       Patched(plainGif, descriptor, {0x60, 0xEA, 0x60, 0xEA})},  // left and top 60000
      {"JPEG frame over the budget", Call::Jpeg, jpegHeader},
      // A screen one row high and a 255 x 2 image at row 65535: 16.7 megapixels
      // within the budget, from a few bytes of image data.
      {"GIF of 255 x 65537 pixels from 70 bytes", Call::Gif,
       Patched(Patched(plainGif, 6, {255, 0, 1, 0}), descriptor, {0, 0, 0xFF, 0xFF, 255, 0, 2, 0})},
      {"GIF screen its image data could not fill", Call::Gif, Patched(plainGif, 6, {0xA0, 0x0F, 0xA0, 0x0F})},
  };
  for (const auto& c : cases) {
    progressCalls = 0;
    const Result r = FromStream(c.call, c.data);
    EXPECT_EQ(r.code, -3) << c.what;
    EXPECT_EQ(r.bitmap, nullptr) << c.what;
    EXPECT_EQ(progressCalls, 0) << c.what;
  }
  // Within the budget and held by the data: decoded as before.
  const Result fits = FromStream(Call::Bmp, fixtures::Bmp8Claim(4, 2, 8));
  EXPECT_EQ(fits.code, 1);
  const Result gifFits = FromStream(Call::Gif, plainGif);
  EXPECT_EQ(gifFits.code, 1);
  // A screen mostly left bare, up to a megapixel, and a large picture its
  // data fills are pictures as any.
  const Result bareScreen = FromStream(Call::Gif, Patched(plainGif, 6, {0xE8, 0x03, 0xE8, 0x03}));
  EXPECT_EQ(bareScreen.code, 1);
  ASSERT_NE(bareScreen.bitmap, nullptr);
  EXPECT_EQ(bareScreen.bitmap->image.size(), QSize(1000, 1000));
  fixtures::GifOptions large = gif;
  large.width = large.height = 1100;
  large.indexes.assign(1100 * 1100, 2);
  const Result filled = FromStream(Call::Gif, fixtures::Gif(large));
  EXPECT_EQ(filled.code, 1);
  ASSERT_NE(filled.bitmap, nullptr);
  EXPECT_EQ(Pixel(filled, 1099, 1099), 0x00FF00u);
}

TEST(Picdec, TransparentPixelsComeAsAMaskAtDepthOneAndAreNeverShownBlack) {
  for (const fixtures::TransparentPng& png : fixtures::TransparentPngs()) {
    const Result mask = FromStream(Call::Png, png.file, 1);
    ASSERT_EQ(mask.code, 1) << png.what;
    ASSERT_NE(mask.bitmap, nullptr) << png.what;
    EXPECT_EQ(mask.palette, nullptr) << png.what;
    ASSERT_EQ(mask.bitmap->image.format(), QImage::Format_Mono) << png.what;
    for (int x = 0; x < 4; ++x) EXPECT_EQ(mask.bitmap->image.pixelIndex(x, 0), x < 2 ? 1 : 0) << png.what << " " << x;
    // The colours laid on white where transparent, as they stand elsewhere.
    const Result colours = FromStream(Call::Png, png.file);
    ASSERT_EQ(colours.code, 1) << png.what;
    EXPECT_EQ(Pixel(colours, 0, 0), 0xFFFFFFu) << png.what;
    EXPECT_EQ(Pixel(colours, 3, 0), qRgb(png.opaque.r, png.opaque.g, png.opaque.b) & 0xFFFFFFu) << png.what;
  }
  // An opaque picture has nothing transparent.
  const Result opaque = FromStream(Call::Png, fixtures::Png(2, 1, 8, 2, {{1, 2, 3, 4, 5, 6}}), 1);
  ASSERT_EQ(opaque.code, 1);
  EXPECT_EQ(opaque.bitmap->image.pixelIndex(0, 0), 0);
  EXPECT_EQ(opaque.bitmap->image.pixelIndex(1, 0), 0);
}

TEST(Picdec, ProgressCallbackThatAnswersZeroStopsTheDecoding) {
  progressCalls = 0;
  const Result r = FromStream(Call::Bmp, fixtures::Bmp24(1, 1, {{5, 5, 5}}), 24, nullptr, StoppingProgress);
  EXPECT_EQ(r.code, -2);
  EXPECT_EQ(r.bitmap, nullptr);
  EXPECT_EQ(progressCalls, 1);
}

TEST(Picdec, EightBitDepthMapsToTheCallersPaletteAndReturnsACopy) {
  const std::vector<win::PALETTEENTRY> entries = {{0, 0, 0, 0}, {250, 250, 250, 0}, {200, 0, 0, 0}};
  win::UniquePalette callers(win::CreatePalette(0x300, entries));
  const Result r = FromStream(Call::Bmp, fixtures::Bmp24(2, 1, {{220, 10, 10}, {240, 240, 255}}), 8, callers.get());
  ASSERT_EQ(r.code, 1);
  ASSERT_NE(r.palette, nullptr);
  EXPECT_NE(r.palette.get(), callers.get());
  EXPECT_EQ(win::PaletteEntryCount(r.palette.get()), 3);
  EXPECT_EQ(Pixel(r, 0, 0), qRgb(200, 0, 0) & 0xFFFFFFu);
  EXPECT_EQ(Pixel(r, 1, 0), qRgb(250, 250, 250) & 0xFFFFFFu);
  EXPECT_EQ(win::PaletteEntryCount(callers.get()), 3);
}

TEST(Picdec, FileCallsReadTheNamedFileAndReportAMissingOne) {
  const cl::testing::TempDirectory temp;
  const std::filesystem::path& dir = temp.Path();
  temp.Write("Pic.png", fixtures::PalettePng(fixtures::PngChunk("PLTE", {1, 2, 3, 4, 5, 6})));
  win::HBITMAP bitmap = nullptr;
  win::HPALETTE palette = nullptr;
  // Names come in the system's form and resolve case-insensitively.
  const std::string name = (dir / "PIC.PNG").string();
  EXPECT_EQ(rpng(name.c_str(), 24, 1, &bitmap, &palette, CountingProgress, 0), 1);
  win::UniqueBitmap owned(bitmap);
  ASSERT_NE(owned, nullptr);
  EXPECT_EQ(owned->image.pixel(1, 0) & 0xFFFFFFu, qRgb(4, 5, 6) & 0xFFFFFFu);
  bitmap = nullptr;
  const std::string missing = (dir / "none.png").string();
  EXPECT_EQ(rpng(missing.c_str(), 24, 1, &bitmap, &palette, nullptr, 0), -1);
  EXPECT_EQ(rjpg(missing.c_str(), 24, 1, &bitmap, &palette, nullptr, 0), -1);
  EXPECT_EQ(bitmap, nullptr);
}

}  // namespace
