#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gui/colors.h"

namespace html {

// One frame of an animated GIF as decoded: its place on the logical screen,
// how it is shown and left, and its colour indices. Frames never change once
// the parse is done, so the copies of an animation share them.
struct GifFrame {
  std::int32_t FrameLeft = 0, FrameTop = 0, FrameWidth = 0, FrameHeight = 0;
  std::int32_t LocalColorBits = 0;  // 0 without a local table
  std::int32_t Delay = 0;           // milliseconds
  std::uint8_t Disposal = 0;        // 0 to 3 (4 to 7 are read as 2)
  bool Interlaced = false;
  bool Transparent = false;
  std::uint8_t TransparentIndex = 0;
  bool HasLocalTable = false;
  // The frame's colours as 0x00RRGGBB (the local table, or the image's
  // global one); entries beyond the table are black.
  std::array<std::uint32_t, 256> Colors{};
  // Colour indices, FrameWidth x FrameHeight, top row first; empty after a
  // counting pass.
  std::vector<std::uint8_t> Pixels;
  std::string Comment;  // the comment extensions met since the previous frame

  cl::TColor TransparentColor() const {
    const std::uint32_t rgb = Colors[TransparentIndex];
    return static_cast<cl::TColor>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
  }
};

}  // namespace html
