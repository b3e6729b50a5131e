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

// The phone-book buttons' pictures. Each keeps off the cell's bottom-left
// pixel, which a speed button takes for the transparent colour.

void DrawSheet(cl::TCanvas& canvas, int left, int top, int right, int bottom) {
  Box(canvas, left, top, right, bottom, 0xFFFFFF);
  canvas.Pen().SetColor(0x000000);
  canvas.Rectangle(left, top, right, bottom);
}

void DrawBookSave(cl::TCanvas& canvas) {
  // A diskette: a dark body, a white label, a grey shutter.
  Box(canvas, 2, 1, 15, 14, 0x800000);
  Box(canvas, 4, 2, 13, 7, 0xFFFFFF);
  Box(canvas, 5, 10, 12, 14, 0xC0C0C0);
  Box(canvas, 9, 11, 11, 13, 0x800000);
}

void DrawBookNew(cl::TCanvas& canvas) {
  // A blank sheet with a yellow spark at its corner.
  DrawSheet(canvas, 3, 3, 13, 15);
  canvas.Pen().SetColor(0x00C0FF);
  canvas.Pen().SetWidth(2);
  canvas.Polyline({{10, 1}, {15, 6}});
  canvas.Polyline({{15, 1}, {10, 6}});
}

void DrawEntryAdd(cl::TCanvas& canvas) {
  // A green plus.
  Box(canvas, 7, 2, 10, 15, 0x008000);
  Box(canvas, 2, 7, 15, 10, 0x008000);
}

void DrawEntryDuplicate(cl::TCanvas& canvas) {
  // Two sheets, one over the other.
  DrawSheet(canvas, 2, 1, 10, 11);
  DrawSheet(canvas, 6, 5, 14, 15);
}

void DrawEntryEdit(cl::TCanvas& canvas) {
  // A pencil: a yellow body to a dark point.
  canvas.Pen().SetColor(0x00C0FF);
  canvas.Pen().SetWidth(3);
  canvas.Polyline({{13, 2}, {5, 10}});
  canvas.Pen().SetColor(0x000000);
  canvas.Pen().SetWidth(2);
  canvas.Polyline({{5, 10}, {3, 13}});
}

void DrawEntryDelete(cl::TCanvas& canvas) {
  // A red cross.
  canvas.Pen().SetColor(0x0000C0);
  canvas.Pen().SetWidth(3);
  canvas.Polyline({{3, 3}, {13, 13}});
  canvas.Polyline({{13, 3}, {3, 13}});
}

win::UniqueBitmap Draw(int width, void (*paint)(cl::TCanvas&)) {
  cl::TBitmap bitmap;
  bitmap.SetSize(width, GlyphCell);
  cl::TCanvas& canvas = bitmap.Canvas();
  Box(canvas, 0, 0, width, GlyphCell, GlyphTransparent);
  paint(canvas);
  return win::UniqueBitmap(bitmap.ReleaseHandle());
}

// Two cells for a button: the picture, and beside it the same shape in grey
// for the disabled button.
win::UniqueBitmap DrawButtonGlyph(void (*paint)(cl::TCanvas&)) {
  cl::TBitmap bitmap;
  bitmap.SetSize(2 * GlyphCell, GlyphCell);
  cl::TCanvas& canvas = bitmap.Canvas();
  Box(canvas, 0, 0, 2 * GlyphCell, GlyphCell, GlyphTransparent);
  paint(canvas);
  for (int y = 0; y < GlyphCell; ++y)
    for (int x = 0; x < GlyphCell; ++x)
      if ((canvas.GetPixel(x, y) & 0xFFFFFF) != GlyphTransparent) canvas.SetPixel(GlyphCell + x, y, 0x808080);
  return win::UniqueBitmap(bitmap.ReleaseHandle());
}

}  // namespace

win::UniqueBitmap DrawGlyph(std::string_view name) {
  if (name == "CHECKMARK") return Draw(GlyphCell, DrawCheckMark);
  if (name == "ADRMARKS") return Draw(adrCells * GlyphCell, DrawAddressMarks);
  struct ButtonGlyph {
    std::string_view name;
    void (*paint)(cl::TCanvas&);
  };
  static constexpr ButtonGlyph buttons[] = {
      {"BOOKSAVE", DrawBookSave},   {"BOOKNEW", DrawBookNew},     {"ENTRYADD", DrawEntryAdd},
      {"ENTRYDUP", DrawEntryDuplicate}, {"ENTRYEDIT", DrawEntryEdit}, {"ENTRYDEL", DrawEntryDelete},
  };
  for (const ButtonGlyph& button : buttons)
    if (name == button.name) return DrawButtonGlyph(button.paint);
  return nullptr;
}
