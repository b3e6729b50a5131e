#include "html/images/engine_palette.h"

#include <vector>

#include "html/images/dib.h"
#include "html/images/image_unit.h"

namespace html {

void BuildEnginePalette(cl::TCanvas& /*dc*/) {
  std::vector<win::PALETTEENTRY> entries(256);
  win::GetSystemPaletteEntries(0, 256, entries.data());
  static constexpr std::uint8_t levels[6] = {55, 115, 165, 205, 235, 255};
  std::size_t index = 10;
  for (const std::uint8_t blue : levels)
    for (const std::uint8_t green : levels)
      for (const std::uint8_t red : levels) {
        if (red == 255 && green == 255 && blue == 255) continue;  // white is a system colour
        entries[index++] = {red, green, blue, 0};
      }
  for (int i = 1; i <= 24; ++i) {
    const auto grey = static_cast<std::uint8_t>(130 + 5 * i);
    entries[index++] = {grey, grey, grey, 0};
  }
  for (auto& e : entries) e.peFlags = 0;
  TImageUnit& unit = ImageUnit();
  unit.DecoderPalette = nullptr;
  unit.EnginePalette.reset(win::CreatePalette(0x300, entries));
  unit.DecoderPalette = unit.EnginePalette.get();
}

win::HPALETTE CopyPalette(win::HPALETTE palette) {
  const int count = win::PaletteEntryCount(palette);
  if (count <= 0) return nullptr;
  std::vector<win::PALETTEENTRY> entries(static_cast<std::size_t>(count));
  win::GetPaletteEntries(palette, 0, count, entries.data());
  return win::CreatePalette(0x300, entries);
}

std::unique_ptr<cl::TBitmap> ConvertToEnginePalette(std::unique_ptr<cl::TBitmap> bitmap) {
  if (bitmap == nullptr || ImageUnit().DecoderColorDepth > 8) return bitmap;
  const win::HPALETTE engine = ImageUnit().EnginePalette.get();
  auto dc = cl::TCanvas::CreateCompatible();
  const win::HPALETTE old = dc->SelectPalette(engine, false);
  dc->RealizePalette();
  win::UniqueBitmap converted;
  {
    TDib dib(dc.get(), *bitmap);
    converted.reset(dib.CreateDeviceBitmap(dc.get()));
  }
  dc->SelectPalette(old, false);
  if (!converted) return bitmap;
  auto result = std::make_unique<cl::TBitmap>();
  result->SetHandle(converted.release());
  if (result->Palette() == nullptr) result->SetPalette(CopyPalette(engine));
  return result;
}

}  // namespace html
