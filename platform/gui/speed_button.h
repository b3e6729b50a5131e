#pragma once

#include <cstdint>

#include "platform/gui/bitmap.h"
#include "platform/gui/control.h"

namespace cl {

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A tool-bar button (24 x 24) drawn by the layer: a glyph bitmap holding
// NumGlyphs images side by side (the first normal, the second shown while
// disabled), its bottom-left pixel's colour transparent; a caption beside it.
class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TComponent* owner);

  TBitmap& Glyph() { return glyph_; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int count);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  // Which glyph image is drawn now (0 normal, 1 disabled when there is one).
  int GlyphIndex() const;

  void SetEnabled(bool enabled) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  TBitmap glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  bool flat_ = false;
  bool down_ = false;
};

}  // namespace cl
