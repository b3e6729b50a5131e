#pragma once

#include <cstddef>
#include <cstdint>

#include "suite/picdec/picture_decoder.h"

namespace picdec {

// Whether the picture's headers may be handed to Qt's reader: every length
// they declare fits the bytes that follow, and the size they claim stays
// within the picture budget and what the data could plausibly hold. Runs
// before any pixel is made.
bool HeadersWithinBudget(Kind kind, const uint8_t* data, std::size_t size);

}  // namespace picdec
