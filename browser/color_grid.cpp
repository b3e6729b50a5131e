#include "browser/color_grid.h"

#include <array>

#include "platform/gui/colors.h"

namespace brw {

namespace {

constexpr int columns = 4;

constexpr std::array<cl::TColor, TColorGrid::colorCount> gridColors = {
    cl::clBlack, cl::clMaroon, cl::clGreen, cl::clOlive,  cl::clNavy, cl::clPurple, cl::clTeal, cl::clGray,
    cl::clSilver, cl::clRed,   cl::clLime,  cl::clYellow, cl::clBlue, cl::clFuchsia, cl::clAqua, cl::clWhite,
};

}  // namespace

cl::TColor GridColor(int index) {
  return index >= 0 && index < TColorGrid::colorCount ? gridColors[static_cast<size_t>(index)] : cl::clBlack;
}

TColorGrid::TColorGrid(cl::TComponent* owner) : cl::TControl(owner) {
  SetPaintsItself(true);
  SetBounds(0, 0, 72, 72);
}

void TColorGrid::SetForegroundIndex(int index) {
  if (index < 0 || index >= colorCount) return;
  foregroundIndex_ = index;
  Invalidate();
}

cl::TColor TColorGrid::ForegroundColor() const { return GridColor(foregroundIndex_); }

void TColorGrid::SetForegroundEnabled(bool enabled) {
  foregroundEnabled_ = enabled;
  Invalidate();
}

cl::TRect TColorGrid::CellRect(int index) const {
  const int32_t cellWidth = Width() / columns;
  const int32_t cellHeight = Height() / columns;
  const int32_t left = (index % columns) * cellWidth;
  const int32_t top = (index / columns) * cellHeight;
  return cl::Rect(left, top, left + cellWidth, top + cellHeight);
}

int TColorGrid::CellAt(int x, int y) const {
  for (int i = 0; i < colorCount; ++i) {
    const cl::TRect r = CellRect(i);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return i;
  }
  return -1;
}

void TColorGrid::Paint() {
  cl::TCanvas& canvas = Canvas();
  for (int i = 0; i < colorCount; ++i) {
    const cl::TRect r = CellRect(i);
    canvas.FillRect(r, cl::clBtnShadow);
    canvas.FillRect(cl::Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2), GridColor(i));
  }
  if (foregroundEnabled_) {
    const cl::TRect r = CellRect(foregroundIndex_);
    canvas.Brush().SetColor(cl::clBlack);
    canvas.FrameRect(r);
    canvas.Brush().SetColor(cl::clWhite);
    canvas.FrameRect(cl::Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
  }
}

void TColorGrid::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  cl::TControl::MouseDown(button, shift, x, y);
  if (button != cl::mbLeft) return;
  const int cell = CellAt(x, y);
  if (cell < 0) return;
  foregroundIndex_ = cell;
  foregroundEnabled_ = true;
  Invalidate();
  if (OnChange) OnChange(this);
}

}  // namespace brw
