#include "dialogs/text_file_lines.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/exception.h"
#include "utility/owned_handle.h"
#include "utility/raw_handles.h"

namespace dlg {
namespace {

constexpr std::size_t blockSize = 64 * 1024;

// Whether any byte of word is zero.
constexpr bool HasZeroByte(std::uint64_t word) {
  constexpr std::uint64_t ones = 0x0101010101010101, highs = 0x8080808080808080;
  return ((word - ones) & ~word & highs) != 0;
}

// The first CR or LF from at on, else end, in one pass (a search for either
// of two characters passes once a character): eight bytes at a time while
// neither is among them, then byte by byte.
const char* LineEnd(const char* at, const char* const end) {
  constexpr std::uint64_t lfs = 0x0A0A0A0A0A0A0A0A, crs = 0x0D0D0D0D0D0D0D0D;
  for (; end - at >= 8; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if (HasZeroByte(word ^ lfs) || HasZeroByte(word ^ crs)) break;
  }
  while (at != end && *at != '\n' && *at != '\r') ++at;
  return at;
}

}  // namespace

// Reads in blocks, so that a long file needs no memory of its size.
void ForEachTextLine(std::string_view fileName, const std::function<void(std::string_view line)>& onLine) {
  utl::OwnedHandle file;
  if (utl::OPENHANDLE(fileName, utl::modeReadDenyNone, file.Slot()))
    throw cl::Exception("Cannot open \"" + std::string(fileName) + "\"");
  std::vector<char> block(blockSize);
  // The start of a line that runs on into the next block.
  std::string carried;
  bool inLine = false;
  // The last line ended in a CR at a block's end: an LF that follows is part
  // of that line end.
  bool afterCr = false;
  const auto keep = [&](std::string_view piece) {
    if (carried.size() < TextLineLimit) carried.append(piece.substr(0, TextLineLimit - carried.size()));
  };
  const auto finish = [&](std::string_view line) { onLine(line.substr(0, TextLineLimit)); };
  for (;;) {
    std::int32_t count = static_cast<std::int32_t>(block.size());
    utl::READHANDLECOND(file.Get(), block.data(), count);
    if (count < 0) throw cl::Exception("Cannot read \"" + std::string(fileName) + "\"");
    if (count == 0) break;
    const std::string_view data(block.data(), static_cast<std::size_t>(count));
    std::size_t at = afterCr && data.front() == '\n' ? 1 : 0;
    afterCr = false;
    while (at < data.size()) {
      const auto end = static_cast<std::size_t>(LineEnd(data.data() + at, data.data() + data.size()) - data.data());
      if (end == data.size()) {
        keep(data.substr(at));
        inLine = true;
        break;
      }
      const std::string_view piece = data.substr(at, end - at);
      if (inLine) {
        keep(piece);
        finish(carried);
        carried.clear();
        inLine = false;
      } else {
        finish(piece);
      }
      // CR, LF and CR LF each end a line.
      at = end + 1;
      if (data[end] == '\r') {
        if (at == data.size())
          afterCr = true;
        else if (data[at] == '\n')
          ++at;
      }
    }
  }
  if (inLine) finish(carried);
}

}  // namespace dlg
