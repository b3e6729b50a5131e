#include "html/image_probes.h"

#include <cstdint>
#include <cstring>

#include "html/image_sniff.h"
#include "html/read_only_file_stream.h"

namespace {

// Puts the stream back where it was, whatever happens.
class PositionKeeper {
 public:
  explicit PositionKeeper(cl::TStream& stream) : stream_(stream), position_(stream.Position()) {}
  ~PositionKeeper() { stream_.SetPosition(position_); }
  PositionKeeper(const PositionKeeper&) = delete;
  PositionKeeper& operator=(const PositionKeeper&) = delete;

 private:
  cl::TStream& stream_;
  std::int64_t position_;
};

// Reads exactly count bytes or answers false.
bool ReadExactly(cl::TStream& stream, void* buffer, std::int32_t count) {
  return stream.Read(buffer, count) == count;
}

std::uint32_t Be32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Far more chunks than any real picture carries before its image data.
constexpr int MaxPngChunks = 100000;

}  // namespace

bool GifTransparentColor(cl::TStream& stream, cl::TColor& colour) {
  PositionKeeper keep(stream);
  // The longest layout the probe accepts: header 13, table 768, extension 8.
  std::uint8_t head[790] = {};
  stream.SetPosition(0);
  const std::int32_t got = stream.Read(head, sizeof head);
  if (got <= 0) return false;
  const auto present = static_cast<std::size_t>(got);
  if (SniffImageType(head, present) != itGif89 || present < 13) return false;
  if ((head[10] & 0x80) == 0) return false;  // no global colour table
  const std::size_t entries = std::size_t{2} << (head[10] & 7);
  const std::size_t block = 13 + 3 * entries;
  if (block + 7 > present) return false;
  if (head[block] != 0x21 || head[block + 1] != 0xF9 || (head[block + 3] & 1) == 0) return false;
  const std::size_t index = head[block + 6];
  if (index >= entries) return false;
  const std::uint8_t* rgb = head + 13 + 3 * index;
  colour = cl::RGB(rgb[0], rgb[1], rgb[2]);
  return true;
}

bool GifFileTransparentColor(const std::string& fileName, cl::TColor& colour) {
  try {
    TReadOnlyFileStream file(fileName);
    return GifTransparentColor(file, colour);
  } catch (...) {
    return false;
  }
}

bool PngHasTransparentColor(cl::TStream& stream, cl::TColor& colour) {
  PositionKeeper keep(stream);
  const std::int64_t size = stream.Size();
  stream.SetPosition(0);
  static constexpr std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::uint8_t head[8];
  if (!ReadExactly(stream, head, 8) || std::memcmp(head, signature, 8) != 0) return false;
  int colourType = -1;
  bool paletteSeen = false;
  cl::TColor first = 0;
  std::int64_t chunk = 8;
  for (int n = 0; n < MaxPngChunks; ++n) {
    stream.SetPosition(chunk);
    std::uint8_t header[8];
    if (!ReadExactly(stream, header, 8)) return false;
    const std::uint32_t length = Be32(header);  // unsigned: a "negative" length is just far too long
    const std::int64_t dataStart = chunk + 8;
    const std::int64_t next = dataStart + std::int64_t{length} + 4;
    const auto is = [&](const char* type) { return std::memcmp(header + 4, type, 4) == 0; };
    if (is("IEND") || is("IDAT")) return false;
    if (is("IHDR")) {
      std::uint8_t data[13];
      if (length < 13 || !ReadExactly(stream, data, 13)) return false;
      colourType = data[9];
      if (colourType != 3) return false;
    } else if (is("PLTE") && colourType == 3) {
      std::uint8_t rgb[3];
      if (length < 3 || !ReadExactly(stream, rgb, 3)) return false;
      first = cl::RGB(rgb[0], rgb[1], rgb[2]);
      paletteSeen = true;
    } else if (is("tRNS") && colourType == 3) {
      std::uint8_t alpha = 0;
      if (length >= 1 && ReadExactly(stream, &alpha, 1) && alpha < 127 && paletteSeen) {
        colour = first;
        return true;
      }
    }
    if (next > size) return false;
    chunk = next;
  }
  return false;
}

bool PngFileHasTransparentColor(const std::string& fileName, cl::TColor& colour) {
  try {
    TReadOnlyFileStream file(fileName);
    return PngHasTransparentColor(file, colour);
  } catch (...) {
    return false;
  }
}
