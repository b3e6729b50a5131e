#pragma once

#include "platform/gui/list_box.h"
#include "platform/gui/owner_drawn_row.h"

namespace cl {

// A list box whose rows are all ItemHeight pixels high and drawn by OnDrawItem
// (lbOwnerDrawFixed). Before each call the canvas has the list's font, the
// brush in the highlight colour for a selected row (else the list's colour)
// and the matching text colour; without a handler the row's text is drawn.
class TOwnerDrawListBox : public TListBox {
 public:
  explicit TOwnerDrawListBox(TComponent* owner);
  ~TOwnerDrawListBox() override;

  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  // The row's rectangle in the list's client coordinates (empty when the
  // row is not in view).
  TRect ItemRect(int index) const;
  // The row at a client point, or -1.
  int ItemAtPos(TPoint point) const;

  TDrawItemEvent OnDrawItem;
  // The canvas of the row being drawn (inside OnDrawItem), else Canvas().
  TCanvas& ItemCanvas() { return drawCanvas_ != nullptr ? *drawCanvas_ : Canvas(); }

  void Invalidate() override;

 private:
  class Delegate;
  int itemHeight_ = 16;
  TCanvas* drawCanvas_ = nullptr;
};

}  // namespace cl
