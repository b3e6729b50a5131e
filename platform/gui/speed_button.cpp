#include "platform/gui/speed_button.h"

#include <algorithm>

namespace cl {

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 24, 24); }

void TSpeedButton::SetNumGlyphs(int count) {
  numGlyphs_ = std::clamp(count, 1, 4);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  if (!enabled) down_ = false;
  Invalidate();
}

int TSpeedButton::GlyphIndex() const { return !Enabled() && numGlyphs_ > 1 ? 1 : 0; }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    down_ = true;
    Invalidate();
  }
  TControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && down_) {
    down_ = false;
    Invalidate();
  }
  TControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  canvas.FillRect(client, clBtnFace);
  if (!flat_ || down_) {
    const TColor light = down_ ? clBtnShadow : clBtnHighlight;
    const TColor dark = down_ ? clBtnHighlight : clBtnShadow;
    canvas.FillRect(Rect(0, 0, client.Right, 1), light);
    canvas.FillRect(Rect(0, 0, 1, client.Bottom), light);
    canvas.FillRect(Rect(0, client.Bottom - 1, client.Right, client.Bottom), dark);
    canvas.FillRect(Rect(client.Right - 1, 0, client.Right, client.Bottom), dark);
  }
  const int32_t glyphWidth = glyph_.Empty() ? 0 : glyph_.Width() / numGlyphs_;
  const int32_t glyphHeight = glyph_.Empty() ? 0 : glyph_.Height();
  const TSize text = Caption().empty() ? TSize{} : canvas.TextExtent(Caption());
  const int32_t gap = glyphWidth > 0 && text.cx > 0 ? 4 : 0;
  const int32_t shift = down_ ? 1 : 0;
  int32_t glyphX = 0, glyphY = 0, textX = 0, textY = 0;
  if (layout_ == blGlyphLeft || layout_ == blGlyphRight) {
    const int32_t total = glyphWidth + gap + text.cx;
    const int32_t left = (client.Width() - total) / 2;
    glyphY = (client.Height() - glyphHeight) / 2;
    textY = (client.Height() - text.cy) / 2;
    glyphX = layout_ == blGlyphLeft ? left : left + text.cx + gap;
    textX = layout_ == blGlyphLeft ? left + glyphWidth + gap : left;
  } else {
    const int32_t total = glyphHeight + gap + text.cy;
    const int32_t top = (client.Height() - total) / 2;
    glyphX = (client.Width() - glyphWidth) / 2;
    textX = (client.Width() - text.cx) / 2;
    glyphY = layout_ == blGlyphTop ? top : top + text.cy + gap;
    textY = layout_ == blGlyphTop ? top + glyphHeight + gap : top;
  }
  if (glyphWidth > 0) {
    TCanvas& source = glyph_.Canvas();
    const int32_t sx = GlyphIndex() * glyphWidth;
    const TColor transparent = source.GetPixel(sx, glyphHeight - 1);
    for (int32_t y = 0; y < glyphHeight; ++y) {
      for (int32_t x = 0; x < glyphWidth; ++x) {
        const TColor pixel = source.GetPixel(sx + x, y);
        if (pixel != transparent) canvas.SetPixel(glyphX + x + shift, glyphY + y + shift, pixel);
      }
    }
  }
  if (text.cx > 0) {
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(Enabled() ? clBtnText : clGrayText);
    canvas.TextOut(textX + shift, textY + shift, Caption());
  }
}

}  // namespace cl
