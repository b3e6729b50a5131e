#pragma once

// The bit-set and page-layout editors' exports as a host declares them.

#include <cstdint>

#include "platform/core/short_string.h"

extern "C" {
// original and current: the caller's 32-byte sets; items: one text a line.
std::uint16_t EDITBITSET(std::uint8_t editable, const ShortString* caption, const void* original, void* current,
                         const char* items);
void EDITPAGELAYOUTS(std::int32_t startTab);
}
