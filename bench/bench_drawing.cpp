// The drawing layer and the image code: text measuring and drawing with the
// real and the fixed-pitch font engine, stretching in both stretch modes,
// masked drawing and decoding through the image decoder.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "html/images/image_decode.h"
#include "html/images/image_unit.h"
#include "html/images/masks.h"
#include "bench/bench_clock.h"
#include "platform/core/memory_stream.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/test_support/image_fixtures.h"

using namespace html;

namespace {

// Milliseconds.
double Time(const std::function<void()>& work) { return bench::BestOf(bench::kRuns, work) * 1000; }

std::string Line(int n) {
  static const char* words[] = {"lorem", "ipsum", "p\xf8\xedli\x9a", "\x9elu\x9dou\xe8k\xfd", "k\xf9\xf2", "AVAWAY"};
  std::string line;
  for (int i = 0; static_cast<int>(line.size()) < n; ++i) line += std::string(words[i % 6]) + " ";
  line.resize(static_cast<std::size_t>(n));
  return line;
}

double DrawLines(cl::TBitmap& page, int lines) {
  const std::string text = Line(80);
  return Time([&] {
    for (int i = 0; i < lines; ++i) page.Canvas().TextOut(4, (i * 16) % 580, text);
  });
}

std::unique_ptr<cl::TBitmap> Noise(int width, int height) {
  auto bitmap = std::make_unique<cl::TBitmap>();
  bitmap->SetSize(width, height);
  unsigned seed = 7;
  for (int y = 0; y < height; y += 8)
    for (int x = 0; x < width; x += 8) {
      seed = seed * 1103515245u + 12345u;
      bitmap->Canvas().FillRect(cl::Bounds(x, y, 8, 8), static_cast<cl::TColor>(seed >> 8) & 0xFFFFFF);
    }
  return bitmap;
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TImageUnitScope unit;
  bench::PrintClock();
  std::printf("%-34s %10s\n", "operation", "ms");

  cl::TBitmap page;
  page.SetSize(800, 600);
  page.Canvas().Font().SetName("Times New Roman");
  page.Canvas().Font().SetSize(12);
  page.Canvas().Brush().SetStyle(cl::TBrushStyle::bsClear);
  const std::string longLine = Line(10000);
  const double measure = Time([&] {
    for (int i = 0; i < 100; ++i) (void)page.Canvas().TextWidth(longLine);
  });
  std::printf("%-34s %10.2f\n", "TextWidth 100 x 10000 chars", measure);
  const double real500 = DrawLines(page, 500), real1000 = DrawLines(page, 1000);
  std::printf("%-34s %10.2f\n", "TextOut 500 lines x 80 (real)", real500);
  std::printf("%-34s %10.2f\n", "TextOut 1000 lines x 80 (real)", real1000);
  double fixed1000 = 0;
  {
    cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
    fixed1000 = DrawLines(page, 1000);
  }
  std::printf("%-34s %10.2f\n", "TextOut 1000 lines x 80 (fixed)", fixed1000);

  auto source = Noise(1024, 768);
  cl::TBitmap half, full;
  half.SetSize(512, 384);
  full.SetSize(1024, 768);
  for (const int mode : {win::COLORONCOLOR, win::BLACKONWHITE}) {
    half.Canvas().SetStretchBltMode(mode);
    const double t = Time([&] {
      half.Canvas().StretchBlt(0, 0, 512, 384, source->Canvas(), 0, 0, 1024, 768, win::SRCCOPY);
    });
    std::printf("%-34s %10.2f\n", mode == win::COLORONCOLOR ? "Shrink 1024x768 coloroncolor" : "Shrink 1024x768 blackonwhite",
                t);
  }
  const double copy = Time([&] { full.Canvas().BitBlt(0, 0, 1024, 768, source->Canvas(), 0, 0, win::SRCAND); });
  std::printf("%-34s %10.2f\n", "BitBlt 1024x768 SRCAND", copy);

  auto small = Noise(256, 256);
  auto mask = MakeMask(*small, false, 0);
  const double masked = Time([&] { DrawMasked(full.Canvas(), *small, *mask, 10, 10, 512, 512); });
  std::printf("%-34s %10.2f\n", "DrawMasked 256x256 -> 512x512", masked);

  std::vector<fixtures::Rgb> pixels(1024 * 768);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i >> 16)};
  const fixtures::Bytes bmp = fixtures::Bmp24(1024, 768, pixels);
  cl::TMemoryStream stream;
  stream.WriteBuffer(bmp.data(), static_cast<std::int32_t>(bmp.size()));
  const double decode = Time([&] { (void)DecodeImageStream(&stream, true); });
  std::printf("%-34s %10.2f\n", "Decode BMP 1024x768 from memory", decode);

  std::printf("RATIO textout_1000_vs_500 %.2f\n", real1000 / real500);
  return 0;
}
