#pragma once

#include <cstdint>

namespace html {

// Transparency kinds of a picture.
enum class TTransparency : std::uint8_t { trOpaque = 0, trLowerLeft = 1, trGifColor = 2, trPngColor = 3 };
using enum TTransparency;

}  // namespace html
