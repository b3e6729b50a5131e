#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win {

// Code page 1250 <-> Unicode, for Qt's edge and for file names. The five
// bytes that code page 1250 leaves undefined map to nothing.

// The Unicode character of a byte, or nullopt for an undefined byte.
std::optional<char32_t> Cp1250ToUnicode(unsigned char byte);

// The byte of a Unicode character, or nullopt when code page 1250 has none.
std::optional<unsigned char> UnicodeToCp1250(char32_t ch);

// Whole texts; an undefined or unmappable character becomes '?'.
std::u32string Cp1250ToU32(std::string_view text);
std::string U32ToCp1250(std::u32string_view text);

// UTF-8 forms, for the kernel layer's file names. Utf8ToCp1250 returns nullopt
// when the text is no valid UTF-8 or holds a character code page 1250 lacks,
// so that such a name can be treated as invisible.
std::string Cp1250ToUtf8(std::string_view text);
std::optional<std::string> Utf8ToCp1250(std::string_view text);

}  // namespace win
