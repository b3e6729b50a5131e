#pragma once

#include <cstdint>

namespace html {

// The marker a section draws before its first line.
enum class ListKind : std::uint8_t { None = 0, Numbered = 1, Bulleted = 2, Other = 3 };

}  // namespace html
