#pragma once

#include <cstdint>
#include <vector>

#include "platform/gui/canvas.h"

namespace dlg {

// The glyph strip "ADRMARKS" of the chooser's rows: square cells as high as
// the strip, 0x800080 transparent.
class tGlyphStrip {
 public:
  tGlyphStrip();
  int CellSide() const { return height_; }
  // The cell at x offset drawn with its top left at (x, y).
  void DrawCell(cl::TCanvas& canvas, int offset, int x, int y) const;
  // The glyph of a phone number's use (fax, SMS; none for the network) at
  // its place in a column starting at x of a row at top.
  void DrawUseFor(cl::TCanvas& canvas, std::uint8_t useFor, int x, int top) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // 0x00BBGGRR, row by row
};

}  // namespace dlg
