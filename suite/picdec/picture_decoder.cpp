#include "suite/picdec/picture_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>
#include <cstring>
#include <unordered_map>

#include "platform/core/file_handle.h"
#include "platform/core/unique_handle.h"
#include "suite/picdec/header_guard.h"
#include "platform/gui/qt_bridge.h"

namespace picdec {

namespace {

uint32_t ReadLe32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24); }

// Only uncompressed Windows bitmaps (BI_RGB, BI_BITFIELDS) with a full header.
bool BmpIsSupported(const uint8_t* data, std::size_t size) {
  if (size < 34 || data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t headerSize = ReadLe32(data + 14);
  const uint32_t compression = ReadLe32(data + 30);
  return headerSize >= 40 && (compression == 0 || compression == 3);
}

bool Continue(const Request& request) { return request.progress == nullptr || request.progress() != 0; }

// The decoded picture as opaque RGB32: the colours of a real palette keep
// their RGB (a transparent entry stays its colour, so masks can be made from
// it), other translucent pixels are laid on white. A greyscale PNG's table is
// the reader's own: its transparent grey comes back as transparent black.
QImage Flatten(QImage image, bool realPalette) {
  if (!image.colorTable().isEmpty() && !realPalette) image = image.convertToFormat(QImage::Format_ARGB32);
  if (!image.colorTable().isEmpty()) {
    QList<QRgb> table = image.colorTable();
    for (QRgb& c : table) c = qRgb(qRed(c), qGreen(c), qBlue(c));
    image.setColorTable(table);
    return image.convertToFormat(QImage::Format_RGB32);
  }
  if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
  QImage flat(image.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  QPainter painter(&flat);
  painter.drawImage(0, 0, image);
  return flat;
}

std::vector<QRgb> CubeTable() {
  std::vector<QRgb> table;
  for (int b = 0; b < 6; ++b)
    for (int g = 0; g < 6; ++g)
      for (int r = 0; r < 6; ++r) table.push_back(qRgb(r * 51, g * 51, b * 51));
  return table;
}

std::vector<QRgb> VgaTable() {
  return {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFF808080,
          0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
}

// The colours a picture of depth 8 or less is reduced to.
std::vector<QRgb> TargetTable(const Request& request, const QImage& decoded) {
  if (request.depth <= 4) return VgaTable();
  const int count = win::PaletteEntryCount(request.palette);
  if (count > 0) {
    std::vector<win::PALETTEENTRY> entries(static_cast<size_t>(count));
    win::GetPaletteEntries(request.palette, 0, count, entries.data());
    std::vector<QRgb> table;
    for (const auto& e : entries) table.push_back(qRgb(e.peRed, e.peGreen, e.peBlue));
    return table;
  }
  const QList<QRgb> own = decoded.colorTable();
  if (!own.isEmpty() && own.size() <= 256) {
    std::vector<QRgb> table;
    for (const QRgb c : own) table.push_back(qRgb(qRed(c), qGreen(c), qBlue(c)));
    return table;
  }
  return CubeTable();
}

// The colour that a GIF frame's transparent index names, found by walking the
// blocks; nullopt when the frame has none.
std::optional<QRgb> GifTransparentColour(const uint8_t* data, std::size_t size, int frame) {
  std::size_t pos = 13;
  if (size < pos) return std::nullopt;
  auto tableAt = [&](std::size_t at, int entries, int index) -> std::optional<QRgb> {
    if (index >= entries || at + 3 * static_cast<std::size_t>(index) + 3 > size) return std::nullopt;
    const uint8_t* c = data + at + 3 * index;
    return qRgb(c[0], c[1], c[2]);
  };
  std::size_t globalAt = 0;
  int globalEntries = 0;
  if (data[10] & 0x80) {
    globalAt = pos;
    globalEntries = 2 << (data[10] & 7);
    pos += 3 * static_cast<std::size_t>(globalEntries);
  }
  auto skipSubBlocks = [&] {
    while (pos < size && data[pos] != 0) pos += 1 + data[pos];
    ++pos;
  };
  int transparentIndex = -1;
  for (int image = 0; pos < size;) {
    const uint8_t introducer = data[pos++];
    if (introducer == 0x21) {
      if (pos >= size) break;
      const uint8_t label = data[pos++];
      if (label == 0xF9 && pos + 5 <= size && data[pos] >= 4) transparentIndex = (data[pos + 1] & 1) ? data[pos + 4] : -1;
      skipSubBlocks();
    } else if (introducer == 0x2C) {
      if (pos + 9 > size) break;
      const uint8_t packed = data[pos + 8];
      pos += 9;
      std::size_t localAt = 0;
      int localEntries = 0;
      if (packed & 0x80) {
        localAt = pos;
        localEntries = 2 << (packed & 7);
        pos += 3 * static_cast<std::size_t>(localEntries);
      }
      if (image == frame) {
        if (transparentIndex < 0) return std::nullopt;
        return localEntries > 0 ? tableAt(localAt, localEntries, transparentIndex)
                                : tableAt(globalAt, globalEntries, transparentIndex);
      }
      ++pos;  // LZW minimum code size
      skipSubBlocks();
      transparentIndex = -1;
      ++image;
    } else {
      break;
    }
  }
  return std::nullopt;
}

// 1 where the picture is more than half transparent.
win::HBITMAP TransparencyMask(const QImage& decoded) {
  const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
  win::UniqueBitmap mask(win::CreateBitmap(argb.width(), argb.height(), 1));
  if (!mask) return nullptr;
  QImage& bits = mask->image;
  for (int y = 0; y < argb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    uchar* out = bits.scanLine(y);
    for (int x = 0; x < argb.width(); ++x)
      if (qAlpha(in[x]) < 128) out[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
  }
  return mask.release();
}

// A PNG whose header gives colour type 3: its table is the file's palette.
bool IsPalettePng(const uint8_t* data, std::size_t size) { return size > 25 && data[25] == 3; }

int Nearest(const std::vector<QRgb>& table, QRgb colour) {
  int best = 0, bestDistance = INT32_MAX;
  for (size_t i = 0; i < table.size(); ++i) {
    const int dr = qRed(table[i]) - qRed(colour), dg = qGreen(table[i]) - qGreen(colour),
              db = qBlue(table[i]) - qBlue(colour);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

const char* FormatName(Kind kind) {
  switch (kind) {
    case Kind::Bmp: return "BMP";
    case Kind::Gif: return "GIF";
    case Kind::Jpeg: return "JPEG";
    default: return "PNG";
  }
}

}  // namespace

int16_t Decode(Kind kind, const uint8_t* data, std::size_t size, const Request& request, Decoded& out) {
  if (data == nullptr || size == 0 || size > 0x7FFFFFFF) return NotDecodable;
  if (kind == Kind::Bmp && !BmpIsSupported(data, size)) return NotDecodable;
  if (!HeadersWithinBudget(kind, data, size)) return Refused;
  if (!Continue(request)) return Stopped;

  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, FormatName(kind));
  reader.setDecideFormatFromContent(false);
  QImage decoded;
  for (int frame = 0; frame <= request.frame; ++frame) {
    decoded = reader.read();
    if (decoded.isNull()) return NotDecodable;
    if (!Continue(request)) return Stopped;
  }

  if (request.depth == 1) {
    out.bitmap.reset(TransparencyMask(decoded));
    out.palette.reset();
    return out.bitmap ? Success : NotDecodable;
  }

  // Qt's GIF reader clears transparent pixels; they get their colour back.
  if (kind == Kind::Gif && decoded.hasAlphaChannel() && decoded.colorTable().isEmpty()) {
    if (const auto colour = GifTransparentColour(data, size, request.frame)) {
      decoded = decoded.convertToFormat(QImage::Format_ARGB32);
      for (int y = 0; y < decoded.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(decoded.scanLine(y));
        for (int x = 0; x < decoded.width(); ++x)
          if (qAlpha(row[x]) == 0) row[x] = *colour;
      }
    }
  }
  QImage flat = Flatten(decoded, kind != Kind::Png || IsPalettePng(data, size));
  if (request.depth <= 8) {
    const std::vector<QRgb> table = TargetTable(request, decoded);
    std::unordered_map<QRgb, QRgb> mapped;
    for (int y = 0; y < flat.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(flat.scanLine(y));
      for (int x = 0; x < flat.width(); ++x) {
        const auto it = mapped.find(row[x]);
        if (it != mapped.end()) {
          row[x] = it->second;
          continue;
        }
        const QRgb to = table[static_cast<size_t>(Nearest(table, row[x]))];
        mapped.emplace(row[x], to);
        row[x] = to;
      }
      if (y % 64 == 63 && !Continue(request)) return Stopped;
    }
    std::vector<win::PALETTEENTRY> entries;
    for (const QRgb c : table)
      entries.push_back({static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)),
                         static_cast<uint8_t>(qBlue(c)), 0});
    out.palette.reset(win::CreatePalette(0x300, entries));
  } else {
    out.palette.reset();
  }
  out.bitmap.reset(win::CreateBitmapFromImage(flat));
  if (!out.bitmap) {
    out.palette.reset();
    return NotDecodable;
  }
  return Success;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const char* fileName) {
  if (fileName == nullptr) return std::nullopt;
  const win::UniqueHandle file(
      win::CreateFile(fileName, win::GENERIC_READ, win::FILE_SHARE_READ, win::OPEN_EXISTING));
  if (!file.IsOpen()) return std::nullopt;
  std::optional<std::vector<uint8_t>> result;
  int64_t size = 0;
  if (win::GetFileSize(file.Get(), &size) && size >= 0 && size <= 0x7FFFFFFF) {
    std::vector<uint8_t> data(static_cast<size_t>(size));
    uint32_t done = 0;
    if (size == 0 || (win::ReadFile(file.Get(), data.data(), static_cast<uint32_t>(size), &done) && done == size))
      result = std::move(data);
  }
  return result;
}

int FrameOfOptionText(const char* optionText) {
  if (optionText == nullptr || std::strncmp(optionText, "frame=", 6) != 0) return 0;
  int frame = 0;
  for (const char* p = optionText + 6; *p >= '0' && *p <= '9' && frame < 100000; ++p) frame = frame * 10 + (*p - '0');
  return frame;
}

}  // namespace picdec
