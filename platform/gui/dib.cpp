#include "platform/gui/dib.h"

#include <QImage>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/gui/canvas.h"
#include "platform/gui/canvas_impl.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/qt_bridge.h"

namespace win {

namespace {

RGBQUAD* TableOf(BITMAPINFOHEADER* info) { return reinterpret_cast<RGBQUAD*>(reinterpret_cast<uint8_t*>(info) + 40); }
const RGBQUAD* TableOf(const BITMAPINFOHEADER* info) {
  return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(info) + 40);
}

bool FormatIsValid(const BITMAPINFOHEADER* info) {
  if (info == nullptr || info->biSize < 40 || info->biCompression != BI_RGB) return false;
  if (info->biWidth <= 0 || info->biHeight == 0) return false;
  if (int64_t{info->biWidth} * (info->biHeight < 0 ? -int64_t{info->biHeight} : info->biHeight) > (int64_t{1} << 28))
    return false;
  switch (info->biBitCount) {
    case 1: case 4: case 8: case 24: case 32: return true;
    default: return false;
  }
}

int32_t Rows(const BITMAPINFOHEADER* info) { return info->biHeight < 0 ? -info->biHeight : info->biHeight; }

// The colour table a GetDIBits call writes for a bit count of 8 or fewer.
std::vector<QRgb> DefaultTable(const cl::TCanvas* dc, int bitCount) {
  const int size = 1 << bitCount;
  std::vector<QRgb> table(static_cast<size_t>(size), qRgb(0, 0, 0));
  const HPALETTE palette = dc != nullptr ? dc->Palette() : nullptr;
  if (bitCount == 1) {
    table = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  } else if (palette != nullptr && bitCount == 8) {
    std::vector<PALETTEENTRY> entries(256);
    const int n = GetPaletteEntries(palette, 0, 256, entries.data());
    for (int i = 0; i < n; ++i) table[i] = qRgb(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  } else if (bitCount == 4) {
    static constexpr QRgb vga[16] = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                                     0xFF008080, 0xFF808080, 0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                                     0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    table.assign(std::begin(vga), std::end(vga));
  } else {
    std::vector<PALETTEENTRY> entries(256);
    GetSystemPaletteEntries(0, 256, entries.data());
    for (int i = 0; i < 256; ++i) table[i] = qRgb(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  }
  return table;
}

class NearestIndex {
 public:
  explicit NearestIndex(const std::vector<QRgb>& table) : table_(table) {}
  int operator()(QRgb colour) {
    colour &= 0xFFFFFFu;
    const auto it = cache_.find(colour);
    if (it != cache_.end()) return it->second;
    int best = 0, bestDistance = INT32_MAX;
    for (size_t i = 0; i < table_.size(); ++i) {
      const int dr = qRed(table_[i]) - qRed(colour), dg = qGreen(table_[i]) - qGreen(colour),
                db = qBlue(table_[i]) - qBlue(colour);
      const int distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<int>(i);
      }
    }
    cache_.emplace(colour, best);
    return best;
  }

 private:
  const std::vector<QRgb>& table_;
  std::unordered_map<QRgb, int> cache_;
};

void WritePixel(uint8_t* row, int x, int bitCount, uint32_t value) {
  switch (bitCount) {
    case 1: {
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
      row[x / 8] = value ? (row[x / 8] | bit) : (row[x / 8] & ~bit);
      break;
    }
    case 4: {
      uint8_t& b = row[x / 2];
      b = (x & 1) ? ((b & 0xF0) | (value & 0x0F)) : ((b & 0x0F) | ((value & 0x0F) << 4));
      break;
    }
    case 8: row[x] = static_cast<uint8_t>(value); break;
    case 24:
      row[x * 3] = static_cast<uint8_t>(qBlue(value));
      row[x * 3 + 1] = static_cast<uint8_t>(qGreen(value));
      row[x * 3 + 2] = static_cast<uint8_t>(qRed(value));
      break;
    default:
      row[x * 4] = static_cast<uint8_t>(qBlue(value));
      row[x * 4 + 1] = static_cast<uint8_t>(qGreen(value));
      row[x * 4 + 2] = static_cast<uint8_t>(qRed(value));
      row[x * 4 + 3] = 0;
      break;
  }
}

QRgb ReadPixel(const uint8_t* row, int x, int bitCount, const RGBQUAD* table, int tableSize) {
  auto fromTable = [&](int index) {
    if (index >= tableSize) return qRgb(0, 0, 0);
    return qRgb(table[index].rgbRed, table[index].rgbGreen, table[index].rgbBlue);
  };
  switch (bitCount) {
    case 1: return fromTable((row[x / 8] >> (7 - (x & 7))) & 1);
    case 4: return fromTable((x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4));
    case 8: return fromTable(row[x]);
    case 24: return qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: return qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
  }
}

// The DIB's pixels as an RGB32 image, top row first.
QImage DibToImage(const void* bits, const BITMAPINFOHEADER* info) {
  const int width = info->biWidth, height = Rows(info), bitCount = info->biBitCount;
  const int32_t rowBytes = DibRowBytes(int64_t{bitCount} * width);
  const int tableSize = bitCount <= 8 ? (info->biClrUsed != 0 ? static_cast<int>(std::min<uint32_t>(info->biClrUsed, 256)) : 1 << bitCount) : 0;
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  const auto* base = static_cast<const uint8_t*>(bits);
  for (int y = 0; y < height; ++y) {
    const int dibRow = info->biHeight > 0 ? height - 1 - y : y;
    const uint8_t* row = base + int64_t{dibRow} * rowBytes;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) out[x] = ReadPixel(row, x, bitCount, TableOf(info), tableSize);
  }
  return image;
}

}  // namespace

int GetDIBits(const cl::TCanvas* dc, HBITMAP bitmap, uint32_t start, uint32_t lines, void* bits,
              BITMAPINFOHEADER* info, uint32_t usage) {
  if (bitmap == nullptr || info == nullptr || usage != DIB_RGB_COLORS) return 0;
  const QImage& image = bitmap->image;
  if (info->biWidth == 0) info->biWidth = image.width();
  if (info->biHeight == 0) info->biHeight = image.height();
  if (!FormatIsValid(info) || info->biWidth != image.width() || Rows(info) != image.height()) return 0;
  const int bitCount = info->biBitCount;
  const int32_t rowBytes = DibRowBytes(int64_t{bitCount} * image.width());
  info->biSizeImage = static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(image.height());
  std::vector<QRgb> table;
  if (bitCount <= 8) {
    table = DefaultTable(dc, bitCount);
    RGBQUAD* out = TableOf(info);
    for (size_t i = 0; i < table.size(); ++i)
      out[i] = {static_cast<uint8_t>(qBlue(table[i])), static_cast<uint8_t>(qGreen(table[i])),
                static_cast<uint8_t>(qRed(table[i])), 0};
    info->biClrUsed = 0;
  }
  if (bits == nullptr) return static_cast<int>(image.height());
  if (start >= static_cast<uint32_t>(image.height())) return 0;
  const uint32_t count = std::min<uint32_t>(lines, static_cast<uint32_t>(image.height()) - start);
  NearestIndex nearest(table);
  const bool mono = image.format() == QImage::Format_Mono;
  auto* base = static_cast<uint8_t*>(bits);
  // Scan line n of a bottom-up DIB is image row height - 1 - n.
  for (uint32_t n = 0; n < count; ++n) {
    const uint32_t scan = start + n;
    const int y = info->biHeight > 0 ? image.height() - 1 - static_cast<int>(scan) : static_cast<int>(scan);
    uint8_t* row = base + int64_t{n} * rowBytes;
    std::memset(row, 0, static_cast<size_t>(rowBytes));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb colour = mono ? (image.pixelIndex(x, y) ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) : image.pixel(x, y);
      WritePixel(row, x, bitCount, bitCount <= 8 ? static_cast<uint32_t>(nearest(colour)) : colour);
    }
  }
  return static_cast<int>(count);
}

HBITMAP CreateDIBitmap(const cl::TCanvas* dc, const BITMAPINFOHEADER* header, uint32_t init, const void* bits,
                       const BITMAPINFOHEADER* info, uint32_t usage) {
  if (header == nullptr || header->biWidth <= 0 || header->biHeight == 0) return nullptr;
  const int32_t height = Rows(header);
  const bool mono = header->biBitCount == 1 && dc != nullptr && dc->BitsPerPixel() == 1;
  UniqueBitmap bitmap(CreateBitmap(header->biWidth, height, mono ? 1 : 32));
  if (!bitmap) return nullptr;
  if ((init & CBM_INIT) == 0 || bits == nullptr) return bitmap.release();
  if (!FormatIsValid(info) || usage != DIB_RGB_COLORS) return nullptr;
  QImage image = DibToImage(bits, info);
  if (image.isNull()) return nullptr;
  const HPALETTE palette = dc != nullptr ? dc->Palette() : nullptr;
  if (palette != nullptr && dc->BitsPerPixel() <= 8) {
    std::vector<PALETTEENTRY> entries(256);
    const int n = GetPaletteEntries(palette, 0, 256, entries.data());
    std::vector<QRgb> table;
    for (int i = 0; i < n; ++i) table.push_back(qRgb(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    NearestIndex nearest(table);
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) row[x] = table[static_cast<size_t>(nearest(row[x]))];
    }
  }
  QImage& target = bitmap->image;
  for (int y = 0; y < std::min(height, image.height()); ++y)
    for (int x = 0; x < std::min(header->biWidth, image.width()); ++x) {
      if (mono)
        target.setPixel(x, y, qGray(image.pixel(x, y)) >= 128 ? 1 : 0);
      else
        target.setPixel(x, y, image.pixel(x, y));
    }
  return bitmap.release();
}

int StretchDIBits(cl::TCanvas& dc, int32_t x, int32_t y, int32_t width, int32_t height, int32_t sx, int32_t sy,
                  int32_t sw, int32_t sh, const void* bits, const BITMAPINFOHEADER* info, uint32_t usage,
                  uint32_t rop) {
  if (bits == nullptr || !FormatIsValid(info) || usage != DIB_RGB_COLORS) return 0;
  const QImage image = DibToImage(bits, info);
  if (image.isNull()) return 0;
  // The source rectangle counts rows from the DIB's bottom for bottom-up rows.
  const int top = info->biHeight > 0 ? image.height() - sy - sh : sy;
  if (!cl::BlitImage(dc, QRect(x, y, width, height), image, QRect(sx, top, sw, sh), rop, cl::clWhite)) return 0;
  return sh;
}

}  // namespace win
