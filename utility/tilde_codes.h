#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace utl {

// Display texts with tilde codes: "~" and a character from "0" to ">" is an
// attribute code, a lone "~" toggles the highlight, and "~(" text ":" ref ")"
// (or "[", "{", the byte 187 with "]", "}", 171) is a hidden reference.

// The text without its attribute codes, and its length.
std::string TILDACODETEXT(std::string_view s);
std::size_t TILDACODELENGTH(std::string_view s);
// The text without any "~", and its length.
std::string TILDATOGGLETEXT(std::string_view s);
std::size_t TILDATOGGLELENGTH(std::string_view s);
// The text with each reference replaced by its visible text.
std::string TILDAREFERENCE(std::string_view s);

}  // namespace utl
