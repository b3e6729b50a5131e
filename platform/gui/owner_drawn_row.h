#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/gui/canvas.h"
#include "platform/gui/control.h"

namespace cl {

// The state of a row that the program draws in a list.
using TOwnerDrawState = uint8_t;
constexpr TOwnerDrawState odSelected = 1, odFocused = 2, odDisabled = 4;

using TDrawItemEvent = std::function<void(TWinControl* control, int index, TRect rect, TOwnerDrawState state)>;

// Readies the canvas for one row of the list: the list's font, and the brush
// and font colour of a selected (highlight) or plain (list colour) row.
void PrepareRowCanvas(TCanvas& canvas, const TControl& list, bool selected);

// A row drawn without an OnDrawItem: its text on the prepared brush.
void DrawPlainRow(TCanvas& canvas, TRect rect, std::string_view text);

}  // namespace cl
