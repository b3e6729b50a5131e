#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace html {

inline std::int32_t IntMin(std::int32_t a, std::int32_t b) { return a < b ? a : b; }
inline std::int32_t IntMax(std::int32_t a, std::int32_t b) { return a > b ? a : b; }

// The text without characters of code 0-32 at both ends.
std::string TrimBlanks(std::string_view s);

// The text's integer value: an optional sign and decimal digits that fit 32
// bits, nothing else; 0 otherwise.
std::int32_t IntValueOf(std::string_view s);

// A memory block of BlockSize bytes, released with its record.
struct AllocRec {
  std::int32_t BlockSize = 0;
  std::unique_ptr<char[]> Memory;
};

std::unique_ptr<AllocRec> AllocBlock(std::int32_t size);
inline void FreeBlock(std::unique_ptr<AllocRec> block) { block.reset(); }

}  // namespace html
