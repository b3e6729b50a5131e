#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/string_list.h"
#include "platform/gui/control.h"
#include "platform/gui/owner_drawn_row.h"

namespace cl {

class TScrollBar;

// A single-mark list box that the layer paints itself, each row drawn by the
// program (the class library's lbOwnerDrawFixed with one marked row): rows
// of one height, every pixel of them the program's, and every key, click and
// double click the control's own (no Qt item view in between). Before
// OnDrawItem the canvas has the list's font, and the brush and font colour of
// a marked (highlight) or plain (window) row. The arrow, page, Home and End
// keys move the mark after OnKeyDown has seen them; a click marks the row
// under the mouse; the wheel and the scroll bar scroll.
class TDrawnListBox : public TWinControl {
 public:
  explicit TDrawnListBox(TComponent* owner);
  ~TDrawnListBox() override;

  // Changing the items repaints the list and drops a mark past their end.
  TStrings& Items() { return *items_; }
  int Count() const { return items_->Count(); }
  // The marked row, -1 for none.
  int ItemIndex() const { return itemIndex_; }
  // Marks the row (-1 or an index past the end: none) and scrolls it into view.
  void SetItemIndex(int index);
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int index);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  // The row at a point of the control, -1 for none.
  int ItemAtPos(TPoint point) const;
  // The rectangle of row index in the control's coordinates (shown or not).
  TRect ItemRect(int index) const;

  TDrawItemEvent OnDrawItem;

  void Paint() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void Resize() override;

 private:
  class ItemList;
  // Rows that fit wholly in the list (at least one).
  int VisibleRows() const;
  TRect RowArea() const;
  void ItemsChanged();
  void UpdateScrollBar();
  // The user's move of the mark: fires OnClick when it moved.
  void MarkByUser(int index);

  std::unique_ptr<TStrings> items_;  // an ItemList
  TScrollBar* scrollBar_ = nullptr;
  int itemIndex_ = -1;
  int topIndex_ = 0;
  int itemHeight_ = 16;
};

}  // namespace cl
