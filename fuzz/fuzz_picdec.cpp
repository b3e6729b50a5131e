// Arbitrary bytes through every decoder call of the image decoder: whatever
// the headers claim, a decode stays within the decoder's budget (libFuzzer's
// memory and time limits catch one that does not), and a failure hands back
// nothing.
#include <cstdint>
#include <cstdlib>

#include "suite/picdec/picdec.h"

namespace {

template <typename Call>
void Run(Call&& call) {
  win::HBITMAP bitmap = nullptr;
  win::HPALETTE palette = nullptr;
  const std::int16_t result = call(&bitmap, &palette);
  if (result < 1 && (bitmap != nullptr || palette != nullptr)) std::abort();
  win::UniqueBitmap ownedBitmap(bitmap);
  win::UniquePalette ownedPalette(palette);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 0x7FFFFFFF) return 0;
  const auto length = static_cast<std::int32_t>(size);
  Run([&](win::HBITMAP* b, win::HPALETTE* p) { return rbmpstream(data, length, 24, 1, b, p, nullptr, 0); });
  Run([&](win::HBITMAP* b, win::HPALETTE* p) { return rgifstream(data, length, 24, 1, b, p, nullptr, 0, "frame=0"); });
  Run([&](win::HBITMAP* b, win::HPALETTE* p) { return rjpgstream(data, length, 24, 1, 1, b, p, nullptr, 0); });
  Run([&](win::HBITMAP* b, win::HPALETTE* p) { return rpngstream(data, length, 24, 1, b, p, nullptr, 0); });
  return 0;
}
