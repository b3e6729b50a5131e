#pragma once

// Small image files made byte by byte for tests (BMP, GIF, PNG), so that
// each fixture shows exactly the layout a test is about.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

using Bytes = std::vector<uint8_t>;

inline void Le16(Bytes& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Le32(Bytes& out, uint32_t v) {
  Le16(out, v & 0xFFFF);
  Le16(out, v >> 16);
}
inline void Be32(Bytes& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// A colour as 0x00RRGGBB (the file formats' order, not TColor's).
struct Rgb {
  uint8_t r, g, b;
};

// An uncompressed 24-bit Windows bitmap; pixels row by row from the top.
inline Bytes Bmp24(int width, int height, const std::vector<Rgb>& pixels) {
  const uint32_t rowBytes = ((width * 24 + 31) / 32) * 4;
  Bytes out = {'B', 'M'};
  Le32(out, 54 + rowBytes * height);
  Le32(out, 0);
  Le32(out, 54);
  Le32(out, 40);
  Le32(out, width);
  Le32(out, height);
  Le16(out, 1);
  Le16(out, 24);
  Le32(out, 0);
  Le32(out, rowBytes * height);
  for (int i = 0; i < 4; ++i) Le32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& p = pixels[static_cast<size_t>(y * width + x)];
      out.insert(out.end(), {p.b, p.g, p.r});
    }
    for (uint32_t pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

// A run-length encoded (RLE8) bitmap of one row: width pixels of table entry 1.
inline Bytes BmpRle8Row(int width, Rgb colour) {
  Bytes bits = {static_cast<uint8_t>(width), 1, 0, 0, 0, 1};  // run, end of line, end of bitmap
  Bytes out = {'B', 'M'};
  const uint32_t offset = 54 + 2 * 4;
  Le32(out, offset + static_cast<uint32_t>(bits.size()));
  Le32(out, 0);
  Le32(out, offset);
  Le32(out, 40);
  Le32(out, width);
  Le32(out, 1);
  Le16(out, 1);
  Le16(out, 8);
  Le32(out, 1);  // BI_RLE8
  Le32(out, static_cast<uint32_t>(bits.size()));
  Le32(out, 0);
  Le32(out, 0);
  Le32(out, 2);
  Le32(out, 0);
  out.insert(out.end(), {0, 0, 0, 0, colour.b, colour.g, colour.r, 0});
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

// The headers of an uncompressed 8-bit bitmap with a two-colour table and
// pixelBytes bytes of rows: 62 bytes and what the rows add.
inline Bytes Bmp8Claim(int32_t width, int32_t height, uint32_t pixelBytes) {
  Bytes out = {'B', 'M'};
  const uint32_t offset = 54 + 2 * 4;
  Le32(out, offset + pixelBytes);
  Le32(out, 0);
  Le32(out, offset);
  Le32(out, 40);
  Le32(out, static_cast<uint32_t>(width));
  Le32(out, static_cast<uint32_t>(height));
  Le16(out, 1);
  Le16(out, 8);
  for (int i = 0; i < 6; ++i) Le32(out, i == 4 ? 2 : 0);  // BI_RGB, two colours used
  out.insert(out.end(), {0, 0, 0, 0, 255, 255, 255, 0});
  out.resize(out.size() + pixelBytes);
  return out;
}

// GIF pieces. The image data is LZW with a clear code before every pixel,
// which keeps every code at the minimum width: valid for any decoder.
struct GifOptions {
  std::string version = "89a";
  std::vector<Rgb> globalTable;  // 2, 4, 8 ... entries; empty: no global table
  bool tableFlag = true;         // false: the table bits say none (size bits kept)
  int sizeBits = -1;             // low three bits of byte 10; -1: from the table
  Bytes blocksBeforeImage;       // extensions between the table and the image
  int width = 2, height = 2;
  std::vector<uint8_t> indexes = {0, 1, 1, 0};
};

inline Bytes GifControlExtension(bool transparent, uint8_t index) {
  return {0x21, 0xF9, 4, static_cast<uint8_t>(transparent ? 1 : 0), 0, 0, index, 0};
}

inline Bytes GifApplicationExtension() {
  Bytes out = {0x21, 0xFF, 11};
  for (const char c : std::string("NETSCAPE2.0")) out.push_back(static_cast<uint8_t>(c));
  out.insert(out.end(), {3, 1, 0, 0, 0});
  return out;
}

inline Bytes Gif(const GifOptions& o) {
  Bytes out;
  for (const char c : "GIF" + o.version) out.push_back(static_cast<uint8_t>(c));
  Le16(out, o.width);
  Le16(out, o.height);
  int bits = 0;
  while ((2 << bits) < static_cast<int>(o.globalTable.size())) ++bits;
  const int sizeBits = o.sizeBits >= 0 ? o.sizeBits : bits;
  const bool hasTable = !o.globalTable.empty() && o.tableFlag;
  out.push_back(static_cast<uint8_t>((hasTable ? 0x80 : 0) | 0x70 | sizeBits));
  out.push_back(0);
  out.push_back(0);
  if (hasTable)
    for (int i = 0; i < (2 << sizeBits); ++i) {
      const Rgb c = i < static_cast<int>(o.globalTable.size()) ? o.globalTable[static_cast<size_t>(i)] : Rgb{0, 0, 0};
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  out.insert(out.end(), o.blocksBeforeImage.begin(), o.blocksBeforeImage.end());
  out.push_back(0x2C);
  Le16(out, 0);
  Le16(out, 0);
  Le16(out, o.width);
  Le16(out, o.height);
  out.push_back(0);
  const int minCode = std::max(2, sizeBits + 1);
  out.push_back(static_cast<uint8_t>(minCode));
  const uint32_t clear = 1u << minCode, end = clear + 1;
  const int width = minCode + 1;
  Bytes data;
  uint32_t acc = 0;
  int accBits = 0;
  auto put = [&](uint32_t code) {
    acc |= code << accBits;
    accBits += width;
    while (accBits >= 8) {
      data.push_back(static_cast<uint8_t>(acc));
      acc >>= 8;
      accBits -= 8;
    }
  };
  for (const uint8_t index : o.indexes) {
    put(clear);
    put(index);
  }
  put(end);
  if (accBits > 0) data.push_back(static_cast<uint8_t>(acc));
  for (size_t i = 0; i < data.size(); i += 255) {
    const size_t n = std::min<size_t>(255, data.size() - i);
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<long>(i), data.begin() + static_cast<long>(i + n));
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}

inline uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline Bytes PngSignature() { return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}; }

inline Bytes PngChunk(const std::string& type, const Bytes& data) {
  Bytes out;
  Be32(out, static_cast<uint32_t>(data.size()));
  Bytes body(type.begin(), type.end());
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Be32(out, Crc32(body.data(), body.size()));
  return out;
}

inline Bytes PngIhdr(int width, int height, uint8_t bitDepth, uint8_t colourType) {
  Bytes d;
  Be32(d, width);
  Be32(d, height);
  d.insert(d.end(), {bitDepth, colourType, 0, 0, 0});
  return d;
}

// IDAT data for raw rows (each row gets filter byte 0) in stored deflate blocks.
inline Bytes PngIdat(const std::vector<Bytes>& rows) {
  Bytes raw;
  for (const auto& row : rows) {
    raw.push_back(0);
    raw.insert(raw.end(), row.begin(), row.end());
  }
  Bytes z = {0x78, 0x01};
  for (size_t i = 0; i < raw.size() || i == 0; i += 65535) {
    const size_t n = std::min<size_t>(65535, raw.size() - i);
    z.push_back(i + n >= raw.size() ? 1 : 0);
    Le16(z, static_cast<uint32_t>(n));
    Le16(z, static_cast<uint32_t>(~n & 0xFFFF));
    z.insert(z.end(), raw.begin() + static_cast<long>(i), raw.begin() + static_cast<long>(i + n));
    if (raw.empty()) break;
  }
  uint32_t a = 1, b = 0;
  for (const uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  Be32(z, (b << 16) | a);
  return z;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A 2x2 palette PNG (indexes 0 1 / 1 0); the chunks between IHDR and IDAT as given.
inline Bytes PalettePng(const Bytes& chunksBeforeIdat) {
  return Concat({PngSignature(), PngChunk("IHDR", PngIhdr(2, 2, 8, 3)), chunksBeforeIdat,
                 PngChunk("IDAT", PngIdat({{0, 1}, {1, 0}})), PngChunk("IEND", {})});
}

// A PNG of one kind without a palette: the chunks between IHDR and IDAT as given.
inline Bytes Png(int width, int height, uint8_t bitDepth, uint8_t colourType, const std::vector<Bytes>& rows,
                 const Bytes& chunksBeforeIdat = {}) {
  return Concat({PngSignature(), PngChunk("IHDR", PngIhdr(width, height, bitDepth, colourType)), chunksBeforeIdat,
                 PngChunk("IDAT", PngIdat(rows)), PngChunk("IEND", {})});
}

// The ways a PNG says which pixels are transparent without a palette, each
// as a 4 x 1 picture whose first two pixels are transparent and whose last
// two are opaque in `opaque`.
struct TransparentPng {
  const char* what;
  Bytes file;
  Rgb opaque;
};

inline std::vector<TransparentPng> TransparentPngs() {
  return {
      {"grey with a transparent grey", Png(4, 1, 8, 0, {{0x40, 0x40, 0x80, 0x80}}, PngChunk("tRNS", {0, 0x40})),
       {0x80, 0x80, 0x80}},
      // Four pixels of two bits: 0 0 2 2, grey 0 transparent.
      {"two-bit grey with a transparent grey", Png(4, 1, 2, 0, {{0x0A}}, PngChunk("tRNS", {0, 0})),
       {0xAA, 0xAA, 0xAA}},
      {"grey with alpha", Png(4, 1, 8, 4, {{0, 0, 0, 0, 0x80, 0xFF, 0x80, 0xFF}}), {0x80, 0x80, 0x80}},
      {"colour with a transparent colour",
       Png(4, 1, 8, 2, {{0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0}}, PngChunk("tRNS", {0, 0, 0, 0, 0, 0})),
       {255, 0, 0}},
      {"colour with alpha", Png(4, 1, 8, 6, {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 255, 255}}),
       {0, 0, 255}},
  };
}

}  // namespace fixtures
