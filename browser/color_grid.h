#pragma once

#include <cstdint>

#include "platform/gui/control.h"

namespace brw {

// A 4 x 4 picker of the 16 fixed colours. A click on a cell makes it the
// foreground colour, shows its marker and fires OnChange.
class TColorGrid : public cl::TControl {
 public:
  static constexpr int colorCount = 16;

  explicit TColorGrid(cl::TComponent* owner);

  // The foreground cell, 0 to 15.
  int ForegroundIndex() const { return foregroundIndex_; }
  void SetForegroundIndex(int index);
  cl::TColor ForegroundColor() const;
  // Whether the foreground cell is marked.
  bool ForegroundEnabled() const { return foregroundEnabled_; }
  void SetForegroundEnabled(bool enabled);
  // The cell under a point of the control, -1 outside every cell.
  int CellAt(int x, int y) const;
  cl::TRect CellRect(int index) const;

  cl::TNotifyEvent OnChange;

  void Paint() override;
  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;

 private:
  int foregroundIndex_ = 0;
  bool foregroundEnabled_ = false;
};

// The colour of a grid cell, in the class library's order (black first).
cl::TColor GridColor(int index);

}  // namespace brw
