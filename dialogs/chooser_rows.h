#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/core/object.h"
#include "platform/gui/canvas.h"

namespace cl {
class THeader;
}

namespace dlg {

// The Taken byte of a chooser row's object (station, phone entry or
// address), null for any other object.
std::uint8_t* TakenOf(cl::TObject* object);

// Column k of a row under header: the first from the row's left edge to one
// pixel before the section's end, the later ones 5 pixels short of theirs;
// nothing beyond the header's sections.
std::optional<cl::TRect> ColumnRect(const cl::THeader& header, int k, const cl::TRect& row);
// Text clipped to column k, 2 pixels into it, at the row's top.
void ColumnText(cl::TCanvas& canvas, const cl::THeader& header, int k, const cl::TRect& row, std::string_view text);

}  // namespace dlg
