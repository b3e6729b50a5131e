#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace utl {

// For each character, its first 1-based position in the pattern, 0 when absent.
using SearchTable = std::array<std::uint8_t, 256>;

SearchTable STR2TABLE(std::string_view pattern);
// The 1-based start of the last occurrence of pattern in text, 0 when none;
// the table must be STR2TABLE of the same pattern.
std::int32_t HEURISTICSEARCH(std::string_view pattern, std::string_view text,
                             const SearchTable& table);

}  // namespace utl
