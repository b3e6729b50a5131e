#include "dialogs/chooser_controls.h"

#include "platform/gui/button.h"
#include "platform/gui/header.h"
#include "platform/gui/owner_draw_list_box.h"

namespace dlg {

cl::TOwnerDrawListBox* MakeChooserList(cl::TComponent& owner, cl::TWinControl& parent, const char* name,
                                       cl::TRect bounds, bool sorted) {
  auto* list = cl::Make<cl::TOwnerDrawListBox>(owner);
  list->SetName(name);
  list->SetParent(&parent);
  list->SetBoundsRect(bounds);
  list->SetMultiSelect(true);
  list->SetItemHeight(ChooserRowHeight);
  list->SetSorted(sorted);
  return list;
}

cl::THeader* MakeChooserHeader(cl::TComponent& owner, cl::TWinControl& parent, const char* name, cl::TRect bounds) {
  auto* header = cl::Make<cl::THeader>(owner);
  header->SetName(name);
  header->SetParent(&parent);
  header->SetBoundsRect(bounds);
  return header;
}

cl::TBitBtn* MakeChooserButton(cl::TComponent& owner, cl::TWinControl& parent, const char* name, int left, int top) {
  auto* button = cl::Make<cl::TBitBtn>(owner);
  button->SetName(name);
  button->SetParent(&parent);
  button->SetBounds(left, top, 80, 25);
  button->SetShowHint(true);
  return button;
}

void ApplyRowKey(cl::TOwnerDrawListBox& list, std::int32_t key) {
  if (key < 0 || key >= list.Count()) return;
  list.SetItemIndex(key);
  list.SetSelected(key, true);
}

}  // namespace dlg
