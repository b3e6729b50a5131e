#include "browser/font_sizes.h"

#include <algorithm>
#include <cstdlib>

#include "platform/core/mul_div.h"
#include "platform/gui/screen.h"
#include "platform/gui/screen_facts.h"

namespace brw {

namespace {

constexpr std::int32_t scalableSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

}  // namespace

std::vector<std::int32_t> ScalableFontHeights(std::int32_t pixelsPerInch) {
  std::vector<std::int32_t> heights;
  for (const std::int32_t size : scalableSizes) heights.push_back(win::MulDiv(size, pixelsPerInch, 72));
  return heights;
}

std::int32_t StepFontHeight(std::span<const std::int32_t> heights, std::int32_t height, std::int32_t step) {
  std::vector<std::int32_t> sorted(heights.begin(), heights.end());
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  if (step == 0 || sorted.empty()) return height;
  const auto at = std::lower_bound(sorted.begin(), sorted.end(), height);
  std::ptrdiff_t index = at - sorted.begin();
  if (at == sorted.end() || *at != height) {
    // Not a height of the face: the neighbour in the step's direction is
    // the first step (lower_bound already points at the one above).
    if (step > 0) {
      step -= 1;
    } else {
      index -= 1;
      step += 1;
    }
  }
  index += step;
  if (index < 0 || index >= static_cast<std::ptrdiff_t>(sorted.size())) return height;
  return sorted[static_cast<std::size_t>(index)];
}

std::int32_t NextFontSize(std::span<const std::int32_t> heights, std::int32_t size, std::int32_t step,
                          std::int32_t pixelsPerInch) {
  const std::int32_t height = std::abs(win::MulDiv(size, pixelsPerInch, 72));
  const std::int32_t stepped = StepFontHeight(heights, height, step);
  if (stepped == height) return size;
  return win::MulDiv(stepped, 72, pixelsPerInch);
}

std::vector<std::int32_t> GetFontHeights(std::string_view faceName, std::int32_t pixelsPerInch) {
  const auto bitmapHeights = cl::FontBitmapHeights(faceName);
  if (!bitmapHeights) return {};
  return bitmapHeights->empty() ? ScalableFontHeights(pixelsPerInch) : *bitmapHeights;
}

std::int32_t NextFontSize(std::string_view faceName, std::int32_t size, std::int32_t step) {
  const std::int32_t pixelsPerInch = cl::Screen().PixelsPerInch();
  return NextFontSize(GetFontHeights(faceName, pixelsPerInch), size, step, pixelsPerInch);
}

}  // namespace brw
