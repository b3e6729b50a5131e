#pragma once

#include <cstdint>

#include "platform/core/short_string.h"

namespace utl {

// Fills the places of s's buffer after its last character up to place size
// (at most 255) from the start of the process's fill pool, whose first byte is
// always 255; the length byte stays. Every call then moves the pool on: bytes
// 5 to 255 move down to 1 to 251, and the 32-bit value at 252 to 255 is mixed
// with the tick counter.
void STRRND(ShortString& s, std::int32_t size);

}  // namespace utl
