#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gui/control.h"
#include "platform/gui/control_items.h"

namespace cl {

enum TComboBoxStyle : uint8_t { csDropDown, csDropDownList };

// A drop-down list, editable (csDropDown) or a pure choice (csDropDownList).
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;

  TStrings& Items() { return *items_; }
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool sorted) { items_->SetSorted(sorted); }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::string Text() const;
  void SetText(const std::string& text);

  // A choice by the user; OnChange also fires while the user types.
  TNotifyEvent OnChange;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

 private:
  struct Rows;
  std::unique_ptr<Rows> rows_;
  std::unique_ptr<TControlItems> items_;
  TComboBoxStyle style_ = csDropDown;
};

}  // namespace cl
