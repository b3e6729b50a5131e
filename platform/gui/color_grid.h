#pragma once

#include "platform/gui/control.h"

namespace cl {

// A 4 x 4 grid of the 16 fixed colours (clBlack ... clWhite, row by row). A
// left click chooses the foreground colour (and, with ClickEnablesColor,
// enables it); OnChange follows every change.
class TColorGrid : public TControl {
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

 private:
  void Changed();

  int foregroundIndex_ = 0;
  bool foregroundEnabled_ = true;
  bool clickEnablesColor_ = false;
};

}  // namespace cl
