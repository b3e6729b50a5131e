#pragma once

#include <cstdint>

namespace ar {

// Builds Huffman code lengths (at most 16 bits) for `count` symbols from their
// frequencies. With two or more used symbols it returns -1 and the lengths
// form a complete prefix code; with fewer, every length is 0 and it returns the
// only used symbol (0 when none is used), which the stream sends without bits.
int BuildCodeLengths(const std::uint32_t* freq, int count, std::uint8_t* lengths);

// Canonical codes from lengths: codes of one length are consecutive in symbol
// order, and the first code of each length follows the last of the one before.
void CanonicalCodes(const std::uint8_t* lengths, int count, std::uint16_t* codes);

}  // namespace ar
