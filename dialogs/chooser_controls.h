#pragma once

#include <cstdint>

#include "platform/gui/geometry.h"

namespace cl {
class TBitBtn;
class TComponent;
class THeader;
class TOwnerDrawListBox;
class TWinControl;
}  // namespace cl

namespace dlg {

// The recipient chooser's controls as its form and pages make them, owned
// by owner on parent.
inline constexpr int ChooserRowHeight = 18;
// Owner-drawn, fixed rows, several rows may be marked.
cl::TOwnerDrawListBox* MakeChooserList(cl::TComponent& owner, cl::TWinControl& parent, const char* name,
                                       cl::TRect bounds, bool sorted);
cl::THeader* MakeChooserHeader(cl::TComponent& owner, cl::TWinControl& parent, const char* name, cl::TRect bounds);
cl::TBitBtn* MakeChooserButton(cl::TComponent& owner, cl::TWinControl& parent, const char* name, int left, int top);

// A remembered row index, from an older run perhaps: within the list the
// row is focused and marked, beyond it nothing happens.
void ApplyRowKey(cl::TOwnerDrawListBox& list, std::int32_t key);

}  // namespace dlg
