#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace utl {

// Base-62 numbers: "0".."9" are 0-9, "a".."z" 10-35, "A".."Z" 36-61.

// The digits of the value, taken as unsigned.
std::string STRB62(std::uint32_t value);
// The value of the digits; -1 for a character that is no digit, or a value
// beyond 2^31 - 1, so -1 never stands for a number. Empty text gives 0.
std::int32_t VALB62(std::string_view s);

}  // namespace utl
