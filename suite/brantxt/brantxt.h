#pragma once

#include <cstdint>

#include "platform/core/short_string.h"

// The suite's text library: texts by number, Czech, code page 1250.
extern "C" {

// Fills text with the text of that number; a number without a text gives the
// empty text.
void STBITEM(std::uint16_t number, ShortString* text);
}
