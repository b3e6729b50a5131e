#pragma once

#include <cstddef>
#include <cstdint>

namespace html {

// The table of a GIF code stream holds at most this many codes (12 bits).
constexpr int GifMaxCodes = 4096;

// Decodes the variable-length LZW codes (least significant bit first) of one
// frame from its data, the sub-blocks already joined, into width x height
// colour indices, rows top first (interlaced rows in their four passes).
// Pixels the data does not reach stay as they are. False for a corrupt
// stream: a minimum code size of 0 or above 11, a first code that is no
// literal, a code above the next free one.
bool DecodeLzw(const std::uint8_t* data, std::size_t size, int minCodeSize, std::int32_t width,
               std::int32_t height, bool interlaced, std::uint8_t* pixels);

}  // namespace html
