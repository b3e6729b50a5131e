#pragma once

#include <cstdint>

#include "platform/gui/bitmap.h"
#include "platform/gui/colors.h"

namespace cl {

// The system's message icons (LoadIcon with no module).
constexpr uint16_t IDI_HAND = 0x7F01, IDI_QUESTION = 0x7F02, IDI_EXCLAMATION = 0x7F03, IDI_ASTERISK = 0x7F04;
// The size of a system icon (SM_CXICON, SM_CYICON).
constexpr int32_t SystemIconSize = 32;

// Draws the system icon over background into picture (32 x 32); false for an
// id that is no message icon, leaving picture as it was.
bool LoadSystemIcon(uint16_t id, TBitmap& picture, TColor background = clBtnFace);

}  // namespace cl
