#pragma once

#include <cstdint>

namespace html {

// How a section's lines stand between the margins.
enum class Justification : std::uint8_t { Left = 1, Center = 2, Right = 3 };

}  // namespace html
