#include "dialogs/text_file_lines.h"

#include <string>
#include <vector>

#include "platform/core/exception.h"
#include "utility/owned_handle.h"
#include "utility/raw_handles.h"

namespace dlg {
namespace {

constexpr std::size_t blockSize = 64 * 1024;

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
      const auto end = data.find_first_of("\r\n", at);
      if (end == std::string_view::npos) {
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
