#pragma once

#include "platform/gui/control.h"

namespace cl {

// A 4 x 4 grid of the 16 fixed colours (clBlack ... clWhite, row by row). A
// left click chooses the foreground colour (and, with ClickEnablesColor,
// enables it); OnChange follows every change. The grid is a tab stop: with
// the focus, the arrow keys move the choice a cell at a time (within the
// grid), Home and End go to the first and the last colour, and the chosen
// cell wears a focus frame.
class TColorGrid : public TWinControl {
 public:
  explicit TColorGrid(TComponent* owner);

  int ForegroundIndex() const { return foregroundIndex_; }
  void SetForegroundIndex(int index);
  TColor ForegroundColor() const;
  bool ForegroundEnabled() const { return foregroundEnabled_; }
  void SetForegroundEnabled(bool enabled);
  bool ClickEnablesColor() const { return clickEnablesColor_; }
  void SetClickEnablesColor(bool enables) { clickEnablesColor_ = enables; }
  // The colour of a cell, and the cell at a point (-1 outside).
  static TColor ColorOf(int index);
  int CellAt(int x, int y) const;

  TNotifyEvent OnChange;

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  void Changed();
  // The user's choice of a cell, by mouse or key: one change notice for a
  // choice that picks and enables.
  void Choose(int cell);

  int foregroundIndex_ = 0;
  bool foregroundEnabled_ = true;
  bool clickEnablesColor_ = false;
};

}  // namespace cl
