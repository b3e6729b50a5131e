#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace cl {

// The class library's integer text: an optional sign, then decimal digits or
// hexadecimal after "$" or "0x" (all 32 bits, so "$80000005" is negative).
// Nullopt for anything else, blanks included, and for values beyond 32 bits.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

}  // namespace cl
