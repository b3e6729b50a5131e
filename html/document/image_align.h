#pragma once

#include <cstdint>

namespace html {

// Where an image stands against its line; left and right float.
enum class ImageAlign : std::uint8_t { AlignTop = 0, AlignMiddle = 1, AlignBottom = 2, AlignLeft = 3, AlignRight = 4 };

}  // namespace html
