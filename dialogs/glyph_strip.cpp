#include "dialogs/glyph_strip.h"

#include "platform/gui/bitmap.h"
#include "platform/gui/gdi_constants.h"
#include "suite/brangly/brangly.h"

namespace dlg {

tGlyphStrip::tGlyphStrip() {
  cl::TBitmap strip;
  strip.SetHandle(GLYPH("ADRMARKS"));
  if (strip.Empty()) return;
  width_ = strip.Width();
  height_ = strip.Height();
  pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  cl::TCanvas& canvas = strip.Canvas();
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      pixels_[static_cast<std::size_t>(y * width_ + x)] = static_cast<std::uint32_t>(canvas.GetPixel(x, y));
}

void tGlyphStrip::DrawCell(cl::TCanvas& canvas, int offset, int x, int y) const {
  if (offset < 0 || offset + height_ > width_) return;
  for (int row = 0; row < height_; ++row) {
    for (int column = 0; column < height_; ++column) {
      const std::uint32_t colour = pixels_[static_cast<std::size_t>(row * width_ + offset + column)];
      if (colour != static_cast<std::uint32_t>(GlyphTransparent))
        canvas.SetPixel(x + column, y + row, static_cast<cl::TColor>(colour));
    }
  }
}

void tGlyphStrip::DrawUseFor(cl::TCanvas& canvas, std::uint8_t useFor, int x, int top) const {
  if (useFor == 2) DrawCell(canvas, 80, x + 8, top + 2);
  if (useFor == 3) DrawCell(canvas, 96, x + 8, top + 2);
}

}  // namespace dlg
