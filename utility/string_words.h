#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Word navigation in short strings. Positions are 1-based; a position beyond
// the string is taken as its last character.
namespace utl {

// FALSE for "0".."9", "A".."Z", "_", "a".."z", "~" and the bytes 128 to 239.
bool WORD_DELIM(char ch);

// The word at pos; empty when pos is on a delimiter followed by a delimiter.
std::string GET_WORD(std::string_view s, std::uint16_t pos);

// The start of the word left of pos (1 for an empty s).
std::uint16_t WORD_LEFT(std::string_view s, std::uint16_t pos);

// The start of the next word right of pos, never beyond the last character.
std::uint16_t WORD_RIGHT(std::string_view s, std::uint16_t pos);

}  // namespace utl
