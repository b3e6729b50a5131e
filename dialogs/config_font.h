#pragma once

#include <cstdint>

#include "platform/gui/font.h"

namespace dlg {

// Applies a font kept in the suite's configuration (face, points, style) to
// a control's font. Ids in use: 11 the chooser's station-list choice, 12 its
// owner-drawn rows.
void LoadFontFromConfig(std::uint8_t fontId, cl::TFont& font);

}  // namespace dlg
