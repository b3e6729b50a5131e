#include "html/images/image_unit.h"

#include <gtest/gtest.h>

#include "html/images/dib.h"
#include "html/images/engine_palette.h"
#include "html/images/masks.h"
#include "html/images/tests/image_unit_on_screen.h"
#include "platform/core/out_of_memory.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/screen.h"

namespace html {

namespace {

TEST(ImageUnit, DecoderDepthFollowsTheScreen) {
  struct Case {
    int bits;
    uint8_t depth;
  };
  const Case cases[] = {{1, 4}, {4, 4}, {5, 8}, {8, 8}, {15, 8}, {16, 24}, {24, 24}, {32, 24}};
  for (const auto& c : cases) EXPECT_EQ(ScreenColorDepth(c.bits), c.depth) << c.bits;
}

TEST(ImageUnit, StartUpOnATrueColourScreenMakesNoPalette) {
  TImageUnitScope scope;
  const TImageUnit& unit = ImageUnit();
  EXPECT_EQ(unit.DecoderColorDepth, 24);
  EXPECT_EQ(unit.DecoderModeFlag, 1);
  EXPECT_EQ(unit.DecoderOptionWord, 0);
  EXPECT_EQ(unit.EnginePalette, nullptr);
  EXPECT_EQ(unit.DecoderPalette, nullptr);
  ASSERT_NE(unit.BitmapList, nullptr);
  EXPECT_TRUE(unit.BitmapList->Sorted());
  ASSERT_NE(unit.WaitStream, nullptr);
  EXPECT_EQ(unit.WaitStream->Size(), 0);
  for (const auto* bitmap : {unit.DefaultBitmap.get(), unit.ErrorBitmap.get(), unit.ErrorBitmapMask.get()}) {
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 16);
    EXPECT_EQ(bitmap->Height(), 16);
  }
  EXPECT_TRUE(unit.ErrorBitmapMask->Monochrome());
  ASSERT_NE(cl::Screen().Cursor(1), nullptr);
  ASSERT_NE(cl::Screen().Cursor(2), nullptr);
  EXPECT_EQ(cl::Screen().Cursor(1)->AndPlane.size(), 128u);
}

TEST(ImageUnit, ShutDownFreesEverythingAndAStartAfterItWorksAgain) {
  StartImageUnit();
  BitmapList().AddItem("X", std::make_unique<TBitmapItem>(std::make_unique<cl::TBitmap>(), nullptr, trOpaque));
  StopImageUnit();
  EXPECT_EQ(ImageUnit().BitmapList, nullptr);
  EXPECT_EQ(ImageUnit().DefaultBitmap, nullptr);
  EXPECT_EQ(BitmapList().Count(), 0);  // started again on need
  StopImageUnit();
}

TEST(ImageUnit, ErrorBitmapThroughItsMaskLeavesTheBackgroundAroundThePage) {
  TImageUnitScope scope;
  cl::TBitmap dest;
  dest.SetSize(16, 16);
  dest.Canvas().FillRect(cl::Rect(0, 0, 16, 16), cl::clYellow);
  DrawMasked(dest.Canvas(), *ImageUnit().ErrorBitmap, *ImageUnit().ErrorBitmapMask, 0, 0, 16, 16);
  EXPECT_EQ(dest.Canvas().GetPixel(0, 0), cl::clYellow);
  EXPECT_EQ(dest.Canvas().GetPixel(2, 0), cl::clBlack);
  EXPECT_EQ(dest.Canvas().GetPixel(4, 4), cl::clRed);
}

TEST(EnginePalette, EightBitScreenBuildsTheCubeAndGreysAroundTheSystemColours) {
  const ImageUnitOnScreen eight(8);
  const TImageUnit& unit = ImageUnit();
  EXPECT_EQ(unit.DecoderColorDepth, 8);
  ASSERT_NE(unit.EnginePalette, nullptr);
  EXPECT_EQ(unit.DecoderPalette, unit.EnginePalette.get());
  win::PALETTEENTRY e[256];
  ASSERT_EQ(win::GetPaletteEntries(unit.EnginePalette.get(), 0, 256, e), 256);
  win::PALETTEENTRY system[256];
  win::GetSystemPaletteEntries(0, 256, system);
  for (int i : {0, 9, 249, 255}) EXPECT_EQ(e[i], system[i]) << i;
  EXPECT_EQ(e[10], (win::PALETTEENTRY{55, 55, 55, 0}));
  EXPECT_EQ(e[11], (win::PALETTEENTRY{115, 55, 55, 0}));    // red runs fastest
  EXPECT_EQ(e[16], (win::PALETTEENTRY{55, 115, 55, 0}));    // then green
  EXPECT_EQ(e[46], (win::PALETTEENTRY{55, 55, 115, 0}));    // then blue
  EXPECT_EQ(e[224], (win::PALETTEENTRY{235, 255, 255, 0}));  // the cube without white
  EXPECT_EQ(e[225], (win::PALETTEENTRY{135, 135, 135, 0}));
  EXPECT_EQ(e[248], (win::PALETTEENTRY{250, 250, 250, 0}));
}

TEST(EnginePalette, ConversionRedrawsThroughThePaletteOnlyOnPaletteScreens) {
  auto make = [] {
    auto bitmap = std::make_unique<cl::TBitmap>();
    bitmap->SetSize(2, 1);
    bitmap->Canvas().SetPixel(0, 0, cl::RGB(60, 110, 170));
    bitmap->Canvas().SetPixel(1, 0, cl::RGB(131, 131, 131));
    return bitmap;
  };
  {
    TImageUnitScope scope;
    auto bitmap = make();
    cl::TBitmap* before = bitmap.get();
    auto same = ConvertToEnginePalette(std::move(bitmap));
    EXPECT_EQ(same.get(), before);
    EXPECT_EQ(ConvertToEnginePalette(nullptr), nullptr);
  }
  const ImageUnitOnScreen eight(8);
  auto converted = ConvertToEnginePalette(make());
  ASSERT_NE(converted, nullptr);
  EXPECT_EQ(converted->Canvas().GetPixel(0, 0), cl::RGB(55, 115, 165));
  // The nearest grey is the engine's 135: its greys replaced the system's 128.
  EXPECT_EQ(converted->Canvas().GetPixel(1, 0), cl::RGB(135, 135, 135));
  ASSERT_NE(converted->Palette(), nullptr);
  EXPECT_NE(converted->Palette(), ImageUnit().EnginePalette.get());
  EXPECT_EQ(win::PaletteEntryCount(converted->Palette()), 256);
}

TEST(EnginePalette, CopyPaletteCopiesEntriesAndNoneGivesNone) {
  const std::vector<win::PALETTEENTRY> entries = {{1, 2, 3, 0}, {4, 5, 6, 0}};
  win::UniquePalette source(win::CreatePalette(0x300, entries));
  win::UniquePalette copy(CopyPalette(source.get()));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy.get(), source.get());
  win::PALETTEENTRY out[2];
  win::GetPaletteEntries(copy.get(), 0, 2, out);
  EXPECT_EQ(out[1], entries[1]);
  EXPECT_EQ(CopyPalette(nullptr), nullptr);
}

TEST(Dib, HeaderAndRowsFollowTheBitmap) {
  EXPECT_EQ(TDib::RowBytes(1), 4);
  EXPECT_EQ(TDib::RowBytes(24 * 5), 16);
  cl::TBitmap colour;
  colour.SetSize(5, 3);
  colour.Canvas().SetPixel(0, 2, cl::RGB(1, 2, 3));
  TDib dib(nullptr, colour);
  EXPECT_EQ(dib.HeaderSize(), 40);
  EXPECT_EQ(dib.Header()->biBitCount, 24);
  EXPECT_EQ(dib.Header()->biSizeImage, 48u);
  EXPECT_EQ(dib.BitsSize(), 48);
  EXPECT_FALSE(dib.BitsFromGlobalMemory());
  EXPECT_EQ(dib.Bits()[0], 3);  // bottom row first, blue first
  EXPECT_EQ(dib.Bits()[2], 1);

  cl::TBitmap mono;
  mono.SetSize(3, 2);
  mono.SetMonochrome(true);
  TDib monoDib(nullptr, mono);
  EXPECT_EQ(monoDib.HeaderSize(), 48);
  EXPECT_EQ(monoDib.Header()->biBitCount, 1);

  cl::TBitmap big;
  big.SetSize(200, 200);
  TDib bigDib(nullptr, big);
  EXPECT_TRUE(bigDib.BitsFromGlobalMemory());
}

TEST(Dib, DrawingAndTheDeviceBitmapGiveThePixelsBack) {
  cl::TBitmap source;
  source.SetSize(2, 2);
  source.Canvas().SetPixel(1, 1, cl::clRed);
  TDib dib(nullptr, source);
  win::UniqueBitmap device(dib.CreateDeviceBitmap(nullptr));
  cl::TBitmap copy;
  copy.SetHandle(device.release());
  EXPECT_EQ(copy.Canvas().GetPixel(1, 1), cl::clRed);
  cl::TBitmap dest;
  dest.SetSize(4, 4);
  dest.Canvas().SetStretchBltMode(win::COLORONCOLOR);
  dib.StretchDraw(dest.Canvas(), 0, 0, 4, 4, win::SRCCOPY);
  EXPECT_EQ(dest.Canvas().GetPixel(3, 3), cl::clRed);
  EXPECT_EQ(dest.Canvas().GetPixel(1, 1), cl::clWhite);
}

TEST(Dib, RowsThatCannotBeReadPurgeTheCacheWithoutAContextAndRaise) {
  TImageUnitScope scope;
  auto idle = [] { return std::make_unique<TBitmapItem>(std::make_unique<cl::TBitmap>(), nullptr, trOpaque); };
  BitmapList().AddItem("IDLE", idle());
  BitmapList().DecUsage("IDLE");
  cl::TBitmap source;
  source.SetSize(2, 2);
  TDib dib(nullptr, source);
  auto dc = cl::TCanvas::CreateCompatible();
  EXPECT_THROW(dib.GetBits(dc.get(), nullptr, nullptr), cl::EOutOfMemory);
  EXPECT_EQ(BitmapList().Count(), 1);
  EXPECT_THROW(dib.GetBits(nullptr, nullptr, nullptr), cl::EOutOfMemory);
  EXPECT_EQ(BitmapList().Count(), 0);
}

}  // namespace

}  // namespace html
