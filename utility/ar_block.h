#pragma once

#include <cstdint>

// AR block compression of memory buffers below 64 KB (types 6, 7 and 8).
// Both routines keep their whole state per call.

// Writes the AR block of the source into the target and returns its size,
// header included; returns the source length when the data are not
// compressed (unknown type, a size of 9 or less, a work buffer below 25 bytes,
// a source of 65532 bytes or more, or no gain within the target).
std::uint16_t ARCompress(std::uint8_t type, const std::uint8_t* source, std::uint16_t sourceLength,
                         std::uint8_t* target, std::uint16_t targetSize, std::uint8_t* work,
                         std::uint16_t workSize);

// Expands an AR block into the target. Returns the uncompressed length, or
// 0xFFFF (-1: too short, damaged), 0xFFFE (-2: bad header), 0xFFFD (-3: target
// too small), 0xFFFC (-4: work buffer smaller than the dictionary). The work
// buffer is not written.
std::uint16_t ARDecompress(const std::uint8_t* source, std::uint16_t sourceLength,
                           std::uint8_t* target, std::uint16_t targetSize, std::uint8_t* work,
                           std::uint16_t workSize);

// The source length from which a block is stored uncompressed: results of
// 0xFFFC and above are the error words of ARDecompress.
constexpr std::uint32_t ARLargestCompressedSource = 0xFFFB;
