#include "suite/brangly/glyphs.h"

#include <vector>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "suite/brangly/brangly.h"

namespace {

using cl::TPoint;

// Cells of ADRMARKS by x offset: 0 blank; 16, 32, 48 station kinds; 64 the
// suite's network; 80 fax; 96 SMS.
constexpr int adrCells = 7;

void Line(cl::TCanvas& canvas, int x, const std::vector<TPoint>& points) {
  std::vector<TPoint> moved;
  for (const TPoint& p : points) moved.push_back(TPoint{p.X + x, p.Y});
  canvas.Polyline(moved);
}

void Box(cl::TCanvas& canvas, int left, int top, int right, int bottom, int color) {
  canvas.Brush().SetColor(color);
  canvas.FillRect(cl::TRect{left, top, right, bottom});
}

void DrawCheckMark(cl::TCanvas& canvas) {
  canvas.Pen().SetColor(0x000000);
  canvas.Pen().SetWidth(2);
  canvas.Polyline({{3, 8}, {6, 12}, {13, 3}});
}

void DrawAddressMarks(cl::TCanvas& canvas) {
  canvas.Pen().SetWidth(1);
  // Station kinds: a mast in three colours.
  const int kindColors[] = {0x008000, 0x800000, 0x000080};
  for (int k = 0; k < 3; ++k) {
    const int x = 16 * (k + 1);
    canvas.Pen().SetColor(kindColors[k]);
    Line(canvas, x, {{7, 2}, {7, 14}});
    Line(canvas, x, {{3, 14}, {7, 6}, {11, 14}});
    Box(canvas, x + 5, 1, x + 10, 4, kindColors[k]);
  }
  // The network: two linked nodes.
  canvas.Pen().SetColor(0x008080);
  Line(canvas, 64, {{3, 12}, {12, 3}});
  Box(canvas, 64 + 1, 10, 64 + 6, 15, 0x008080);
  Box(canvas, 64 + 10, 1, 64 + 15, 6, 0x008080);
  // Fax: a sheet in a machine.
  Box(canvas, 80 + 4, 1, 80 + 12, 8, 0xFFFFFF);
  canvas.Pen().SetColor(0x000000);
  canvas.Rectangle(80 + 4, 1, 80 + 12, 8);
  Box(canvas, 80 + 1, 8, 80 + 15, 14, 0x404040);
  // SMS: a speech bubble.
  Box(canvas, 96 + 1, 2, 96 + 15, 11, 0xC08000);
  canvas.Pen().SetColor(0xC08000);
  Line(canvas, 96, {{4, 11}, {3, 14}, {8, 11}});
}

win::UniqueBitmap Draw(int width, void (*paint)(cl::TCanvas&)) {
  cl::TBitmap bitmap;
  bitmap.SetSize(width, GlyphCell);
  cl::TCanvas& canvas = bitmap.Canvas();
  Box(canvas, 0, 0, width, GlyphCell, GlyphTransparent);
  paint(canvas);
  return win::UniqueBitmap(bitmap.ReleaseHandle());
}

}  // namespace

win::UniqueBitmap DrawGlyph(std::string_view name) {
  if (name == "CHECKMARK") return Draw(GlyphCell, DrawCheckMark);
  if (name == "ADRMARKS") return Draw(adrCells * GlyphCell, DrawAddressMarks);
  return nullptr;
}
