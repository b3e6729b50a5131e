#pragma once

#include <string>
#include <string_view>

// Caret notation: control characters written as "^" and a letter, "^" as "^^".
namespace utl {

// Control characters to caret notation, cut at 255 characters.
std::string STRATC(std::string_view s);

}  // namespace utl
