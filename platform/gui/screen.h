#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/cursors.h"
#include "platform/gui/geometry.h"

namespace cl {

// A cursor drawn as Windows defines one: two monochrome planes of rows
// (1 bit a pixel, rows padded to 16 bits). AND 0 / XOR 0 black, AND 0 / XOR 1
// white, AND 1 / XOR 0 transparent, AND 1 / XOR 1 inverted.
struct TCursorShape {
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t HotX = 0;
  int32_t HotY = 0;
  std::vector<uint8_t> AndPlane;
  std::vector<uint8_t> XorPlane;
};

// The screen's facts and the numbered cursor slots.
class TScreen {
 public:
  // 24 unless a test asked for another depth (8 exercises the palette paths).
  int BitsPerPixel() const { return bitsPerPixel_; }
  void SetBitsPerPixel(int bits) { bitsPerPixel_ = bits; }
  // Qt's logical pixels are 96-dpi pixels, so the screen answers 96; tests
  // set another density to see forms scale.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi > 0 ? ppi : 96; }

  // The primary monitor's size in pixels (Screen.Width, Screen.Height).
  int Width() const;
  int Height() const;

  // Between the screen's own pixels, in which a calling program names a
  // point on the screen, and the layer's coordinates, in which forms are
  // placed: Qt divides the pixels of a screen by its device-pixel ratio
  // (more than 1 on a dense screen), counting from the screen's corner.
  // Where the ratio leaves no whole coordinate, the nearest is taken.
  TPoint FromScreenPixels(TPoint pixels) const;
  TPoint ToScreenPixels(TPoint point) const;

  // The screen's cursor slots (positive numbers).
  void SetCursor(int slot, std::unique_ptr<TCursorShape> cursor);
  const TCursorShape* Cursor(int slot) const;
  void ClearCursors() { cursors_.clear(); }

  // The font faces the screen has, sorted (code page 1250 names).
  std::vector<std::string> Fonts() const;
  // Whether a face (by its Windows name) scales smoothly; when it does not,
  // the pixel heights it comes in at this screen's density, ascending.
  bool IsScalableFont(const std::string& face) const;
  std::vector<int> FontPixelHeights(const std::string& face) const;

  // Where the mouse pointer is, in screen coordinates (GetCursorPos).
  TPoint CursorPos() const;

  // Screen.Cursor: shown over every window while not crDefault.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

 private:
  int bitsPerPixel_ = 24;
  int pixelsPerInch_ = 96;
  TCursor cursor_ = crDefault;
  std::map<int, std::unique_ptr<TCursorShape>> cursors_;
};

TScreen& Screen();

}  // namespace cl
