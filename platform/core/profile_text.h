#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win {

// The text of a profile (ini) file: "[section]" lines, "key=value" lines,
// ";" comments. Sections and keys compare without case and the first match
// wins; values are trimmed and lose one pair of enclosing quotes.

// The value of a key; nullopt when the section or the key is missing.
std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// The text with the key set: its line is replaced (the key spelt as before),
// or a new line is appended
// to the section (the section to the text); every other line stays as it was.
std::string WithProfileValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view value);

}  // namespace win
