#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace html {

// Character references, resolved into the document's code page 1250.

// The character of a named entity (exact, case-sensitive name), or nullopt for
// a name not in the table. An entity whose character code page 1250 lacks
// gives "?".
std::optional<char> EntityCharacter(std::string_view name);

// The character of a numeric reference whose value the tokenizer accepts
// (9, 10, 32-255), or nullopt for another value. 9 gives a space; 160-255 are
// Unicode characters, so they go through code page 1250 ("?" when it has
// none); 32-159 are taken as the document's own bytes.
std::optional<char> NumericCharacter(std::int32_t value);

}  // namespace html
