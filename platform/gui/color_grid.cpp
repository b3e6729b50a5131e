#include "platform/gui/color_grid.h"

#include "platform/gui/virtual_keys.h"

namespace cl {

namespace {

constexpr TColor kColors[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal,    clGray,
                                clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

}  // namespace

TColorGrid::TColorGrid(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 100, 100);
  SetTabStop(true);
}

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

void TColorGrid::Choose(int cell) {
  const bool enable = clickEnablesColor_ && !foregroundEnabled_;
  if (cell == foregroundIndex_ && !enable) return;
  foregroundIndex_ = cell;
  if (enable) foregroundEnabled_ = true;
  Changed();
}

int TColorGrid::CellAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return -1;
  return (y * 4 / Height()) * 4 + x * 4 / Width();
}

void TColorGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (const int cell = CellAt(x, y); cell >= 0) Choose(cell);
  }
  TControl::MouseDown(button, shift, x, y);
}

void TColorGrid::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == 0 || (shift & (ssAlt | ssCtrl)) != 0) return;
  const int column = foregroundIndex_ % 4;
  const int row = foregroundIndex_ / 4;
  int cell = -1;
  switch (key) {
    case VK_LEFT: cell = column > 0 ? foregroundIndex_ - 1 : foregroundIndex_; break;
    case VK_RIGHT: cell = column < 3 ? foregroundIndex_ + 1 : foregroundIndex_; break;
    case VK_UP: cell = row > 0 ? foregroundIndex_ - 4 : foregroundIndex_; break;
    case VK_DOWN: cell = row < 3 ? foregroundIndex_ + 4 : foregroundIndex_; break;
    case VK_HOME: cell = 0; break;
    case VK_END: cell = 15; break;
    default: return;
  }
  key = 0;
  Choose(cell);
}

void TColorGrid::DoEnter() {
  Invalidate();
  TWinControl::DoEnter();
}

void TColorGrid::DoExit() {
  Invalidate();
  TWinControl::DoExit();
}

void TColorGrid::Paint() {
  TCanvas& canvas = Canvas();
  const bool focused = Focused();
  for (int i = 0; i < 16; ++i) {
    const TRect cell = Rect((i % 4) * Width() / 4, (i / 4) * Height() / 4, (i % 4 + 1) * Width() / 4,
                            (i / 4 + 1) * Height() / 4);
    canvas.FillRect(cell, kColors[i]);
    if (i != foregroundIndex_ || (!foregroundEnabled_ && !focused)) continue;
    // The chosen cell: framed while enabled, and framed twice with the focus,
    // so the keyboard's place shows even while the colour is off.
    canvas.Brush().SetColor(i == 0 || i == 4 ? clWhite : clBlack);
    if (foregroundEnabled_) canvas.FrameRect(Rect(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1));
    if (focused) canvas.FrameRect(Rect(cell.Left + 3, cell.Top + 3, cell.Right - 3, cell.Bottom - 3));
  }
}

}  // namespace cl
