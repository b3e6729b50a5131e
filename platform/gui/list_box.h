#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gui/control.h"
#include "platform/gui/control_items.h"

namespace cl {

// A list of strings; with MultiSelect several may be selected.
class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* owner);
  ~TListBox() override;

  TStrings& Items() { return *items_; }
  const TStrings& Items() const { return *items_; }
  int Count() const { return items_->Count(); }
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool sorted) { items_->SetSorted(sorted); }
  // The current item, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multi);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool extended);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  int TopIndex() const;
  void SetTopIndex(int index);
  // Pixels of one row in the list's font.
  int ItemHeight() const;

  // Tab stops of the rows' text in dialog units (a quarter of the font's
  // average character width), as LBS_USETABSTOPS lists take them; none: a
  // TAB stands for blanks to the next of Qt's default stops.
  void SetTabStops(const std::vector<int>& dialogUnits);
  // The tab stops in pixels from the text's left edge.
  const std::vector<int>& TabStopPixels() const { return tabPixels_; }

  // The rows' area: inside the frame and a shown scroll bar.
  TRect ClientRect() const override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

 private:
  struct Rows;
  class TabbedRows;
  class ViewportDoubleClicks;
  void ApplySelectionMode();

  std::unique_ptr<Rows> rows_;
  std::unique_ptr<TControlItems> items_;
  std::vector<int> tabPixels_;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
};

}  // namespace cl
