#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace html::testing_gif {

// A small GIF writer for the tests: frames of colour indices coded either
// with real LZW (the table fills up to 4096 codes) or as literal codes with
// a clear code before the code width would grow.
struct TestFrame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // width x height, top row first
  int delay = 0;                     // hundredths of a second
  int disposal = 0;
  int transparent = -1;  // the transparent index, or none
  bool interlaced = false;
  std::vector<std::uint32_t> localColors;  // 0x00RRGGBB; none: the global table
  bool control = true;                     // a graphic control extension before it
};

struct TestGif {
  int width = 0, height = 0;
  std::vector<std::uint32_t> globalColors;  // a power of two entries, 2 to 256
  int loopCount = -1;                       // the NETSCAPE2.0 count; -1: none
  std::vector<TestFrame> frames;
  bool realLzw = false;
  bool clearWhenFull = true;  // real LZW: a clear code when 4096 codes exist
};

class BitWriter {
 public:
  void Put(int code, int width) {
    bits_ |= std::uint64_t(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      bytes.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  void Flush() {
    if (count_ > 0) bytes.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
    bits_ = 0;
    count_ = 0;
  }
  std::vector<std::uint8_t> bytes;

 private:
  std::uint64_t bits_ = 0;
  int count_ = 0;
};

inline int TableBits(std::size_t entries) {
  int bits = 1;
  while ((std::size_t(1) << bits) < entries) ++bits;
  return bits;
}

// The code stream of the pixels as the decoder's table would follow it.
inline std::vector<std::uint8_t> EncodeLzw(const std::vector<std::uint8_t>& pixels, int minCodeSize, bool real,
                                           bool clearWhenFull) {
  const int clear = 1 << minCodeSize;
  BitWriter out;
  int width = minCodeSize + 1;
  int decoderNext = clear + 2;  // the decoder's next free code
  bool first = true;
  auto reset = [&] {
    out.Put(clear, width);
    width = minCodeSize + 1;
    decoderNext = clear + 2;
    first = true;
  };
  // Writes a code and follows the decoder's table and width.
  auto writeCode = [&](int code) {
    out.Put(code, width);
    if (first) {
      first = false;
      return;
    }
    if (decoderNext < 4096) {
      ++decoderNext;
      if (decoderNext == (1 << width) && width < 12) ++width;
    }
  };
  reset();
  if (!real) {
    for (const std::uint8_t p : pixels) {
      // Clear before the width would grow.
      if (!first && decoderNext + 1 == (1 << width)) reset();
      writeCode(p);
    }
  } else if (!pixels.empty()) {
    std::map<std::uint32_t, int> table;
    int encoderNext = clear + 2;
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
      const std::uint32_t key = (std::uint32_t(prefix) << 8) | pixels[i];
      const auto found = table.find(key);
      if (found != table.end()) {
        prefix = found->second;
        continue;
      }
      writeCode(prefix);
      if (encoderNext < 4096) {
        table[key] = encoderNext++;
      } else if (clearWhenFull) {
        reset();
        table.clear();
        encoderNext = clear + 2;
      }
      prefix = pixels[i];
    }
    writeCode(prefix);
  }
  out.Put(clear + 1, width);
  out.Flush();
  return out.bytes;
}

// Byte by byte: GCC 12 at -O3 takes vector::insert of a short list for an
// overflow (-Wstringop-overflow).
inline void PutBytes(std::vector<std::uint8_t>& b, std::initializer_list<std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) b.push_back(byte);
}

inline void PutWord(std::vector<std::uint8_t>& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void PutTable(std::vector<std::uint8_t>& b, const std::vector<std::uint32_t>& colors) {
  for (const std::uint32_t c : colors) {
    b.push_back(static_cast<std::uint8_t>(c >> 16));
    b.push_back(static_cast<std::uint8_t>(c >> 8));
    b.push_back(static_cast<std::uint8_t>(c));
  }
}

inline void PutSubBlocks(std::vector<std::uint8_t>& b, const std::vector<std::uint8_t>& data) {
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    b.push_back(static_cast<std::uint8_t>(n));
    b.insert(b.end(), data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  b.push_back(0);
}

// The rows of an interlaced frame in the order they are stored.
inline std::vector<std::uint8_t> InterlacedOrder(const TestFrame& f) {
  std::vector<std::uint8_t> out;
  for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
    for (int y = start; y < f.height; y += step)
      out.insert(out.end(), f.pixels.begin() + y * f.width, f.pixels.begin() + (y + 1) * f.width);
  return out;
}

// The header, the screen and the extensions before the frames' own bytes.
inline std::vector<std::uint8_t> EncodeHead(const TestGif& gif) {
  std::vector<std::uint8_t> b = {'G', 'I', 'F', '8', '9', 'a'};
  PutWord(b, gif.width);
  PutWord(b, gif.height);
  const bool global = !gif.globalColors.empty();
  b.push_back(static_cast<std::uint8_t>(global ? 0x80 | (TableBits(gif.globalColors.size()) - 1) : 0));
  b.push_back(0);
  b.push_back(0);
  if (global) PutTable(b, gif.globalColors);
  if (gif.loopCount >= 0) {
    PutBytes(b, {0x21, 0xFF, 11});
    const std::string id = "NETSCAPE2.0";
    b.insert(b.end(), id.begin(), id.end());
    PutBytes(b, {3, 1});
    PutWord(b, gif.loopCount);
    b.push_back(0);
  }
  return b;
}

inline std::vector<std::uint8_t> EncodeFrame(const TestGif& gif, const TestFrame& f) {
  std::vector<std::uint8_t> b;
  if (f.control) {
    PutBytes(b, {0x21, 0xF9, 4});
    b.push_back(static_cast<std::uint8_t>((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)));
    PutWord(b, f.delay);
    b.push_back(static_cast<std::uint8_t>(f.transparent >= 0 ? f.transparent : 0));
    b.push_back(0);
  }
  b.push_back(0x2C);
  PutWord(b, f.left);
  PutWord(b, f.top);
  PutWord(b, f.width);
  PutWord(b, f.height);
  const bool local = !f.localColors.empty();
  const std::size_t colours = local ? f.localColors.size() : gif.globalColors.size();
  b.push_back(static_cast<std::uint8_t>((local ? 0x80 | (TableBits(colours) - 1) : 0) | (f.interlaced ? 0x40 : 0)));
  if (local) PutTable(b, f.localColors);
  const int minCodeSize = std::max(2, TableBits(colours));
  b.push_back(static_cast<std::uint8_t>(minCodeSize));
  PutSubBlocks(b, EncodeLzw(f.interlaced ? InterlacedOrder(f) : f.pixels, minCodeSize, gif.realLzw, gif.clearWhenFull));
  return b;
}

inline std::vector<std::uint8_t> EncodeGif(const TestGif& gif) {
  std::vector<std::uint8_t> b = EncodeHead(gif);
  for (const TestFrame& f : gif.frames) {
    const auto frame = EncodeFrame(gif, f);
    b.insert(b.end(), frame.begin(), frame.end());
  }
  b.push_back(0x3B);
  return b;
}

// A frame of one colour index.
inline TestFrame Solid(int left, int top, int width, int height, std::uint8_t index) {
  TestFrame f;
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.pixels.assign(static_cast<std::size_t>(width * height), index);
  return f;
}

}  // namespace html::testing_gif
