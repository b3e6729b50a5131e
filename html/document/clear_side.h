#pragma once

#include <cstdint>

namespace html {

// Which floats a section starts below.
enum class ClearSide : std::uint8_t { None = 0, Left = 1, Right = 2, All = 3 };

}  // namespace html
