#pragma once

#include <string>
#include <string_view>

// Caret notation: control characters written as "^" and a letter, "^" as "^^".
namespace utl {

// Control characters to caret notation, cut at 255 characters.
std::string STRATC(std::string_view s);

// Caret notation back to control characters: "^" and c give the byte
// UP895CASE(c) - 64, so "^a" and "^A" are both 1; a "^" at the end is dropped.
std::string STRCTA(std::string_view s);

}  // namespace utl
