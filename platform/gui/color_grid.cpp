#include "platform/gui/color_grid.h"

namespace cl {

namespace {

constexpr TColor kColors[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal,    clGray,
                                clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

}  // namespace

TColorGrid::TColorGrid(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 100, 100); }

TColor TColorGrid::ColorOf(int index) { return index >= 0 && index < 16 ? kColors[index] : clNone; }

TColor TColorGrid::ForegroundColor() const { return ColorOf(foregroundIndex_); }

void TColorGrid::SetForegroundIndex(int index) {
  if (index < 0 || index > 15 || index == foregroundIndex_) return;
  foregroundIndex_ = index;
  Changed();
}

void TColorGrid::SetForegroundEnabled(bool enabled) {
  if (enabled == foregroundEnabled_) return;
  foregroundEnabled_ = enabled;
  Changed();
}

void TColorGrid::Changed() {
  Invalidate();
  if (OnChange) OnChange(this);
}

int TColorGrid::CellAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return -1;
  return (y * 4 / Height()) * 4 + x * 4 / Width();
}

void TColorGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    const int cell = CellAt(x, y);
    if (cell >= 0) {
      // One change notice for a click that picks and enables.
      const bool enable = clickEnablesColor_ && !foregroundEnabled_;
      if (cell != foregroundIndex_ || enable) {
        foregroundIndex_ = cell;
        if (enable) foregroundEnabled_ = true;
        Changed();
      }
    }
  }
  TControl::MouseDown(button, shift, x, y);
}

void TColorGrid::Paint() {
  TCanvas& canvas = Canvas();
  for (int i = 0; i < 16; ++i) {
    const TRect cell = Rect((i % 4) * Width() / 4, (i / 4) * Height() / 4, (i % 4 + 1) * Width() / 4,
                            (i / 4 + 1) * Height() / 4);
    canvas.FillRect(cell, kColors[i]);
    if (foregroundEnabled_ && i == foregroundIndex_) {
      canvas.Brush().SetColor(i == 0 ? clWhite : clBlack);
      canvas.FrameRect(Rect(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1));
    }
  }
}

}  // namespace cl
