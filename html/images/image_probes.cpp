#include "html/images/image_probes.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "html/images/image_sniff.h"
#include "html/images/read_only_file_stream.h"

namespace html {

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

// A stream probe run on a file; a file that cannot be opened has no colour.
bool ProbeFile(const std::string& fileName, cl::TColor& colour, bool (*probe)(cl::TStream&, cl::TColor&)) {
  try {
    TReadOnlyFileStream file(fileName);
    return probe(file, colour);
  } catch (...) {
    return false;
  }
}

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
  return ProbeFile(fileName, colour, GifTransparentColor);
}

namespace {

// Walks the blocks of a GIF89 held in memory up to its second frame.
class GifWalk {
 public:
  explicit GifWalk(const std::vector<std::uint8_t>& bytes) : data_(bytes) {}

  // The first frame's transparent colour, when the file has a second frame.
  std::optional<cl::TColor> FirstFrameTransparentColour() {
    if (data_.size() < 13 || SniffImageType(data_.data(), data_.size()) != itGif89) return std::nullopt;
    pos_ = 13;
    std::size_t globalAt = 0, globalEntries = 0;
    if (data_[10] & 0x80) {
      globalAt = pos_;
      globalEntries = std::size_t{2} << (data_[10] & 7);
      pos_ += 3 * globalEntries;
    }
    int transparentIndex = -1;
    std::optional<cl::TColor> first;
    for (int frame = 0; pos_ < data_.size();) {
      const std::uint8_t introducer = data_[pos_++];
      if (introducer == 0x21) {
        if (pos_ >= data_.size()) return std::nullopt;
        const std::uint8_t label = data_[pos_++];
        // Only the first frame's control extension counts.
        if (frame == 0 && label == 0xF9 && pos_ + 5 <= data_.size() && data_[pos_] >= 4)
          transparentIndex = (data_[pos_ + 1] & 1) ? data_[pos_ + 4] : -1;
        if (!SkipSubBlocks()) return std::nullopt;
      } else if (introducer == 0x2C) {
        if (frame == 1) return first;
        if (pos_ + 9 > data_.size()) return std::nullopt;
        const std::uint8_t packed = data_[pos_ + 8];
        pos_ += 9;
        std::size_t tableAt = globalAt, entries = globalEntries;
        if (packed & 0x80) {
          tableAt = pos_;
          entries = std::size_t{2} << (packed & 7);
          pos_ += 3 * entries;
        }
        if (transparentIndex < 0 || static_cast<std::size_t>(transparentIndex) >= entries) return std::nullopt;
        const std::size_t at = tableAt + 3 * static_cast<std::size_t>(transparentIndex);
        if (at + 3 > data_.size()) return std::nullopt;
        first = cl::RGB(data_[at], data_[at + 1], data_[at + 2]);
        ++pos_;  // LZW minimum code size
        if (!SkipSubBlocks()) return std::nullopt;
        frame = 1;
      } else {
        return std::nullopt;  // the trailer, or bytes that are no block
      }
    }
    return std::nullopt;
  }

 private:
  // Steps over a chain of data sub-blocks and its terminator.
  bool SkipSubBlocks() {
    while (pos_ < data_.size() && data_[pos_] != 0) pos_ += std::size_t{1} + data_[pos_];
    if (pos_ >= data_.size()) return false;
    ++pos_;
    return true;
  }

  const std::vector<std::uint8_t>& data_;
  std::size_t pos_ = 0;
};

}  // namespace

bool AnimatedGifTransparentColor(cl::TStream& stream, cl::TColor& colour) {
  PositionKeeper keep(stream);
  const std::int64_t size = stream.Size();
  if (size < 13 || size > std::int64_t{0x7FFFFFFF}) return false;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  stream.SetPosition(0);
  if (!ReadExactly(stream, bytes.data(), static_cast<std::int32_t>(size))) return false;
  const std::optional<cl::TColor> found = GifWalk(bytes).FirstFrameTransparentColour();
  if (!found) return false;
  colour = *found;
  return true;
}

bool AnimatedGifFileTransparentColor(const std::string& fileName, cl::TColor& colour) {
  return ProbeFile(fileName, colour, AnimatedGifTransparentColor);
}

namespace {

// Reads the eight bytes at the stream's position.
bool StartsWithPngSignature(cl::TStream& stream) {
  static constexpr std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::uint8_t head[8];
  return ReadExactly(stream, head, 8) && std::memcmp(head, signature, 8) == 0;
}

}  // namespace

bool PngHasTransparentColor(cl::TStream& stream, cl::TColor& colour) {
  PositionKeeper keep(stream);
  const std::int64_t size = stream.Size();
  stream.SetPosition(0);
  if (!StartsWithPngSignature(stream)) return false;
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
  return ProbeFile(fileName, colour, PngHasTransparentColor);
}

bool PngHasAlpha(cl::TStream& stream) {
  PositionKeeper keep(stream);
  const std::int64_t size = stream.Size();
  stream.SetPosition(0);
  if (!StartsWithPngSignature(stream)) return false;
  std::int64_t chunk = 8;
  for (int n = 0; n < MaxPngChunks; ++n) {
    stream.SetPosition(chunk);
    std::uint8_t header[8];
    if (!ReadExactly(stream, header, 8)) return false;
    const std::uint32_t length = Be32(header);
    const auto is = [&](const char* type) { return std::memcmp(header + 4, type, 4) == 0; };
    if (n == 0) {
      // The header comes first: grey (0) and colour (2) may have a tRNS,
      // grey and colour with alpha (4, 6) always say.
      std::uint8_t data[13];
      if (!is("IHDR") || length < 13 || !ReadExactly(stream, data, 13)) return false;
      const std::uint8_t colourType = data[9];
      if (colourType == 4 || colourType == 6) return true;
      if (colourType != 0 && colourType != 2) return false;
    } else if (is("tRNS")) {
      return true;
    } else if (is("IDAT") || is("IEND")) {
      return false;
    }
    const std::int64_t next = chunk + 8 + std::int64_t{length} + 4;
    if (next > size) return false;
    chunk = next;
  }
  return false;
}

bool PngFileHasAlpha(const std::string& fileName) {
  cl::TColor unused = 0;
  return ProbeFile(fileName, unused, [](cl::TStream& stream, cl::TColor&) { return PngHasAlpha(stream); });
}

}  // namespace html
