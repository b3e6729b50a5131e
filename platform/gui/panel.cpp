#include "platform/gui/panel.h"

#include "platform/gui/gdi_constants.h"

namespace cl {

namespace {

// A bevel of width pixels inside rect; rect shrinks by it.
void DrawBevel(TCanvas& canvas, TRect& rect, TPanelBevel bevel, int32_t width) {
  if (bevel == bvNone) return;
  const TColor topLeft = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  const TColor bottomRight = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
  for (int32_t i = 0; i < width && !rect.IsEmpty(); ++i) {
    canvas.FillRect(Rect(rect.Left, rect.Top, rect.Right, rect.Top + 1), topLeft);
    canvas.FillRect(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom), topLeft);
    canvas.FillRect(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), bottomRight);
    canvas.FillRect(Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), bottomRight);
    rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
  }
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel bevel) {
  bevelOuter_ = bevel;
  Changed();
}

void TCustomPanel::SetBevelInner(TPanelBevel bevel) {
  bevelInner_ = bevel;
  Changed();
}

void TCustomPanel::SetBevelWidth(int32_t width) {
  bevelWidth_ = width < 1 ? 1 : width;
  Changed();
}

void TCustomPanel::SetBorderWidth(int32_t width) {
  borderWidth_ = width < 0 ? 0 : width;
  Changed();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TCustomPanel::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  if (parentColor && Parent() != nullptr) SetColor(Parent()->Color());
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
  int32_t inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  rect = Rect(rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset);
}

void TCustomPanel::Paint() {
  if (parentColor_ && Parent() != nullptr && Parent()->Color() != Color()) SetColor(Parent()->Color());
  TCanvas& canvas = Canvas();
  TRect rect = ClientRect();
  canvas.FillRect(rect, Color());
  DrawBevel(canvas, rect, bevelOuter_, bevelWidth_);
  rect = Rect(rect.Left + borderWidth_, rect.Top + borderWidth_, rect.Right - borderWidth_,
              rect.Bottom - borderWidth_);
  DrawBevel(canvas, rect, bevelInner_, bevelWidth_);
  if (Caption().empty() || rect.IsEmpty()) return;
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const TSize extent = canvas.TextExtent(Caption());
  int32_t x = rect.Left;
  if (alignment_ == taCenter) x = rect.Left + (rect.Width() - extent.cx) / 2;
  if (alignment_ == taRightJustify) x = rect.Right - extent.cx;
  canvas.TextOut(x, rect.Top + (rect.Height() - extent.cy) / 2, Caption());
}

}  // namespace cl
