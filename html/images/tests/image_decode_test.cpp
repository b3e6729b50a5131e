#include "html/images/image_decode.h"

#include <gtest/gtest.h>

#include "html/images/image_cache.h"
#include "html/images/image_unit.h"
#include "html/images/picdec_bind.h"
#include "html/images/tests/image_unit_on_screen.h"
#include "platform/core/message_hooks.h"
#include "platform/gui/application.h"
#include "html/testing/image_test_support.h"
#include "platform/gui/canvas.h"
#include "platform/gui/screen.h"

namespace html {

namespace {

using fixtures::Bytes;
using fixtures::Rgb;

const std::vector<Rgb> kTable = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}};

Bytes TransparentGif(uint8_t index) {
  fixtures::GifOptions o;
  o.globalTable = kTable;
  o.blocksBeforeImage = fixtures::GifControlExtension(true, index);
  return fixtures::Gif(o);  // pixels: red blue / blue red
}

Bytes PlainGif() {
  fixtures::GifOptions o;
  o.globalTable = kTable;
  return fixtures::Gif(o);
}

Bytes TransparentPng() {
  return fixtures::PalettePng(fixtures::Concat(
      {fixtures::PngChunk("PLTE", {0, 255, 0, 255, 0, 255}), fixtures::PngChunk("tRNS", {0, 255})}));
}

class ImageDecode : public ::testing::Test {
 protected:
  TImageUnitScope unit;
  const cl::testing::TempDirectory dir;
};

TEST_F(ImageDecode, EachKindDecodesFromAFileAndFromAStream) {
  struct Case {
    const char* name;
    Bytes bytes;
    cl::TColor topLeft;
  };
  const Case cases[] = {
      {"a.bmp", fixtures::Bmp24(2, 1, {{1, 2, 3}, {4, 5, 6}}), cl::RGB(1, 2, 3)},
      {"a.gif", PlainGif(), cl::clRed},
      {"a.png", fixtures::PalettePng(fixtures::PngChunk("PLTE", {9, 8, 7, 6, 5, 4})), cl::RGB(9, 8, 7)},
  };
  for (const auto& c : cases) {
    auto fromFile = DecodeImageFile(dir.Write(c.name, c.bytes), true);
    ASSERT_NE(fromFile, nullptr) << c.name;
    EXPECT_EQ(fromFile->Canvas().GetPixel(0, 0), c.topLeft) << c.name;
    auto stream = StreamOf(c.bytes);
    auto fromStream = DecodeImageStream(stream.get(), true);
    ASSERT_NE(fromStream, nullptr) << c.name;
    EXPECT_EQ(fromStream->Canvas().GetPixel(0, 0), c.topLeft) << c.name;
  }
  EXPECT_NE(DecodeImageFileForDisplay(dir / "a.gif"), nullptr);
}

TEST_F(ImageDecode, ABmpTheDecoderRefusesIsReadByTheClassLibrary) {
  const Bytes rle = fixtures::BmpRle8Row(3, {10, 20, 30});
  auto fromFile = DecodeImageFile(dir.Write("rle.bmp", rle), false);
  ASSERT_NE(fromFile, nullptr);
  EXPECT_EQ(fromFile->Width(), 3);
  EXPECT_EQ(fromFile->Canvas().GetPixel(2, 0), cl::RGB(10, 20, 30));
  auto stream = StreamOf(rle);
  auto fromStream = DecodeImageStream(stream.get(), false);
  ASSERT_NE(fromStream, nullptr);
  EXPECT_EQ(fromStream->Canvas().GetPixel(0, 0), cl::RGB(10, 20, 30));
}

TEST_F(ImageDecode, WhatTheDecoderRefusesOtherwiseGivesNothing) {
  const Bytes cases[] = {
      {0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0},  // a JPEG that is not one
      {0x89, 'P', 'N', 'G', 0, 0, 0, 0},
      {'G', 'I', 'F', '8', '9', 'a', 0},
      {'B', 'M', 0, 0},
      {'<', 'h', 't', 'm', 'l', '>'},
      {},
  };
  int n = 0;
  for (const auto& bytes : cases) {
    EXPECT_EQ(DecodeImageFile(dir.Write("x" + std::to_string(n), bytes), true), nullptr) << n;
    auto stream = StreamOf(bytes);
    EXPECT_EQ(DecodeImageStream(stream.get(), true), nullptr) << n;
    ++n;
  }
  EXPECT_EQ(DecodeImageFile(dir / "missing.gif", true), nullptr);
  EXPECT_EQ(DecodeImageStream(nullptr, true), nullptr);
}

TEST_F(ImageDecode, AHeaderClaimingMoreThanTheFileHoldsGivesNothingFromEitherReader) {
  // A few dozen bytes each: the decoder refuses them, and so does the class library's
  // reader that a refused BMP falls back to.
  Bytes text = fixtures::Concat({fixtures::PngSignature(), fixtures::PngChunk("IHDR", fixtures::PngIhdr(2, 2, 8, 3)),
                                 fixtures::PngChunk("tEXt", Bytes(9, 'a'))});
  text[33] = 0x7F, text[34] = 0xFF, text[35] = 0xFF, text[36] = 0xF0;  // the chunk's length
  const Bytes cases[] = {fixtures::Bmp8Claim(131075, 254, 0), fixtures::Bmp8Claim(4000, 4000, 0), text};
  int n = 0;
  for (const auto& bytes : cases) {
    EXPECT_EQ(DecodeImageFile(dir.Write("claim" + std::to_string(n) + (n < 2 ? ".bmp" : ".png"), bytes), true),
              nullptr)
        << n;
    auto stream = StreamOf(bytes);
    EXPECT_EQ(DecodeImageStream(stream.get(), true), nullptr) << n;
    ++n;
  }
}

TEST_F(ImageDecode, MaskedGifFileFindsItsTransparentColourAndMasksIt) {
  TTransparency kind = trOpaque;
  std::unique_ptr<cl::TBitmap> mask;
  auto image = DecodeImageFileMasked(dir.Write("t.gif", TransparentGif(1)), kind, mask);
  ASSERT_NE(image, nullptr);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(kind, trGifColor);
  EXPECT_EQ(mask->Canvas().GetPixel(0, 0), cl::clBlack);  // red: shown
  EXPECT_EQ(mask->Canvas().GetPixel(1, 0), cl::clWhite);  // blue: transparent
  EXPECT_EQ(mask->Canvas().GetPixel(0, 1), cl::clWhite);
}

TEST_F(ImageDecode, MaskedPngStreamFindsItsTransparentColourByContent) {
  TTransparency kind = trOpaque;
  std::unique_ptr<cl::TBitmap> mask;
  auto stream = StreamOf(TransparentPng());
  stream->SetPosition(7);
  auto image = DecodeImageStreamMasked(stream.get(), kind, mask);
  ASSERT_NE(image, nullptr);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(kind, trPngColor);
  EXPECT_EQ(mask->Canvas().GetPixel(0, 0), cl::clWhite);  // index 0, alpha 0
  EXPECT_EQ(mask->Canvas().GetPixel(1, 0), cl::clBlack);
}

TEST_F(ImageDecode, LowerLeftTransparencyWorksForAnyKindAndOpaqueGivesNoMask) {
  TTransparency kind = trLowerLeft;
  std::unique_ptr<cl::TBitmap> mask;
  auto image = DecodeImageFileMasked(dir.Write("ll.gif", PlainGif()), kind, mask);
  ASSERT_NE(image, nullptr);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(kind, trLowerLeft);
  // The lower-left pixel is blue: blue is transparent, red is shown.
  EXPECT_EQ(mask->Canvas().GetPixel(0, 1), cl::clWhite);
  EXPECT_EQ(mask->Canvas().GetPixel(1, 0), cl::clWhite);
  EXPECT_EQ(mask->Canvas().GetPixel(0, 0), cl::clBlack);
  EXPECT_EQ(mask->Canvas().GetPixel(1, 1), cl::clBlack);

  kind = trOpaque;
  mask = std::make_unique<cl::TBitmap>();
  auto opaque = DecodeImageFileMasked(dir.Write("plain.bmp", fixtures::Bmp24(1, 1, {{1, 1, 1}})), kind, mask);
  EXPECT_NE(opaque, nullptr);
  EXPECT_EQ(mask, nullptr);
  EXPECT_EQ(kind, trOpaque);
}

TEST_F(ImageDecode, MaskedLoadersGiveNothingForAMissingFileOrA19ByteStream) {
  TTransparency kind = trLowerLeft;
  auto kept = std::make_unique<cl::TBitmap>();
  cl::TBitmap* before = kept.get();
  std::unique_ptr<cl::TBitmap> mask = std::move(kept);
  EXPECT_EQ(DecodeImageFileMasked(dir / "none.gif", kind, mask), nullptr);
  EXPECT_EQ(mask.get(), before);

  const Bytes gif = TransparentGif(1);
  auto nineteen = StreamOf(Bytes(gif.begin(), gif.begin() + 19));
  EXPECT_EQ(DecodeImageStreamMasked(nineteen.get(), kind, mask), nullptr);
  EXPECT_EQ(mask.get(), before);
  EXPECT_EQ(DecodeImageStreamMasked(nullptr, kind, mask), nullptr);
  auto empty = StreamOf({});
  EXPECT_EQ(DecodeImageStreamMasked(empty.get(), kind, mask), nullptr);
}

TEST_F(ImageDecode, AnUndecodableMaskedImageGivesNeitherImageNorMask) {
  TTransparency kind = trLowerLeft;
  std::unique_ptr<cl::TBitmap> mask;
  Bytes broken = TransparentGif(1);
  broken.resize(40);
  auto stream = StreamOf(broken);
  EXPECT_EQ(DecodeImageStreamMasked(stream.get(), kind, mask), nullptr);
  EXPECT_EQ(mask, nullptr);
}

TEST_F(ImageDecode, TheDecoderPaletteComesBackAfterAMaskPass) {
  const win::HPALETTE marker = win::CreatePalette(0x300, std::vector<win::PALETTEENTRY>(2));
  ImageUnit().DecoderPalette = marker;
  TTransparency kind = trOpaque;
  std::unique_ptr<cl::TBitmap> mask;
  auto image = DecodeImageFileMasked(dir.Write("p.gif", TransparentGif(0)), kind, mask);
  EXPECT_NE(image, nullptr);
  EXPECT_EQ(ImageUnit().DecoderPalette, marker);
  ImageUnit().DecoderPalette = nullptr;
  win::DeleteObject(marker);
}

TEST_F(ImageDecode, MessagesArePumpedWhileTheDecoderWorks) {
  int pumped = 0;
  win::SetMessagePumpHook([&] { ++pumped; });
  auto image = DecodeImageFile(dir.Write("m.gif", PlainGif()), true);
  win::SetMessagePumpHook([] { cl::Application().ProcessMessages(); });
  EXPECT_NE(image, nullptr);
  EXPECT_GE(pumped, 2);
  EXPECT_EQ(DecodeProgress(), 1);
}

TEST_F(ImageDecode, NamesLongerThan255CharactersStillDecode) {
  std::string sub;
  for (int i = 0; i < 3; ++i) sub += std::string(100, static_cast<char>('a' + i)) + "/";
  std::filesystem::create_directories(dir / sub);
  const std::string name = dir.Write(sub + "picture.gif", PlainGif());
  ASSERT_GT(name.size(), 300u);
  EXPECT_NE(DecodeImageFile(name, true), nullptr);
  TTransparency kind = trLowerLeft;
  std::unique_ptr<cl::TBitmap> mask;
  EXPECT_NE(DecodeImageFileMasked(name, kind, mask), nullptr);
  EXPECT_NE(mask, nullptr);
}

TEST(ImageDecodeOnPaletteScreens, PicturesComeThroughTheEnginePaletteWithTheirOwnCopyOfIt) {
  const ImageUnitOnScreen eight(8);
  ASSERT_NE(ImageUnit().DecoderPalette, nullptr);
  auto stream = StreamOf(fixtures::Bmp24(2, 1, {{250, 10, 10}, {60, 110, 170}}));
  auto image = DecodeImageStream(stream.get(), true);
  ASSERT_NE(image, nullptr);
  EXPECT_NE(image->Palette(), nullptr);
  EXPECT_NE(image->Palette(), ImageUnit().EnginePalette.get());
  EXPECT_EQ(image->Canvas().GetPixel(1, 0), cl::RGB(55, 115, 165));
  EXPECT_EQ(ImageUnit().DecoderPalette, ImageUnit().EnginePalette.get());
}

}  // namespace

}  // namespace html
