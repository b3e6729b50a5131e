#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/gdi_objects.h"
#include "suite/picdec/picdec.h"

namespace picdec {

enum class Kind { Bmp, Gif, Jpeg, Png };

// The caller's side of a call.
struct Request {
  int depth = 24;
  win::HPALETTE palette = nullptr;  // the caller's, only read
  TDecodeProgress progress = nullptr;
  int frame = 0;
};

struct Decoded {
  win::UniqueBitmap bitmap;
  win::UniquePalette palette;
};

constexpr int16_t Success = 1;
constexpr int16_t NotDecodable = 0;
constexpr int16_t NoSuchFile = -1;
constexpr int16_t Stopped = -2;
// The headers declare more than the data holds or the budget allows.
constexpr int16_t Refused = -3;

// Decodes one picture of the kind; fills out only on success.
int16_t Decode(Kind kind, const uint8_t* data, std::size_t size, const Request& request, Decoded& out);

// The whole file named in the system's form, or nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const char* fileName);

// The frame number of a GIF option text ("frame=N"), 0 otherwise.
int FrameOfOptionText(const char* optionText);

}  // namespace picdec
