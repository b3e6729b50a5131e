#include "platform/gui/gdi_objects.h"

#include <algorithm>
#include <limits>

#include "platform/gui/qt_bridge.h"

namespace win {

namespace {

// Bitmaps beyond this many pixels are refused, as a display driver would.
constexpr int64_t MaxPixels = int64_t{1} << 28;

bool SizeIsValid(int32_t width, int32_t height) {
  return width > 0 && height > 0 && int64_t{width} * height <= MaxPixels;
}

// Handles leave as raw pointers, as Windows' do; DeleteObject takes them back.
HBITMAP Release(QImage image) {
  if (image.isNull()) return nullptr;
  auto bitmap = std::make_unique<GdiBitmap>();
  bitmap->image = std::move(image);
  return bitmap.release();
}

}  // namespace

HBITMAP CreateBitmap(int32_t width, int32_t height, int bitsPerPixel) {
  if (!SizeIsValid(width, height)) return nullptr;
  if (bitsPerPixel == 1) {
    QImage mono(width, height, QImage::Format_Mono);
    if (mono.isNull()) return nullptr;
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    return Release(std::move(mono));
  }
  QImage colour(width, height, QImage::Format_RGB32);
  if (colour.isNull()) return nullptr;
  colour.fill(qRgb(0, 0, 0));
  return Release(std::move(colour));
}

HBITMAP CreateCompatibleBitmap(int32_t width, int32_t height) { return CreateBitmap(width, height, 32); }

HBITMAP CreateBitmapFromImage(const QImage& image) {
  if (image.isNull()) return nullptr;
  if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) {
    // Keep black as 0 and white as 1 whatever the source's table says.
    QImage mono = image.convertToFormat(QImage::Format_RGB32)
                      .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    QImage out(mono.size(), QImage::Format_Mono);
    out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < mono.height(); ++y)
      for (int x = 0; x < mono.width(); ++x) out.setPixel(x, y, qGray(mono.pixel(x, y)) >= 128 ? 1 : 0);
    return Release(std::move(out));
  }
  return Release(image.convertToFormat(QImage::Format_RGB32));
}

bool GetObject(HBITMAP bitmap, BITMAP& description) {
  if (bitmap == nullptr) return false;
  const QImage& image = bitmap->image;
  description.bmType = 0;
  description.bmWidth = image.width();
  description.bmHeight = image.height();
  description.bmPlanes = 1;
  description.bmBitsPixel = image.format() == QImage::Format_Mono ? 1 : 32;
  const int bits = description.bmBitsPixel * image.width();
  description.bmWidthBytes = ((bits + 15) / 16) * 2;
  return true;
}

bool SetBitmapPixels(HBITMAP bitmap, int32_t x, int32_t y, int32_t width, int32_t height, const uint32_t* pixels,
                     int32_t stride) {
  if (bitmap == nullptr || pixels == nullptr || width <= 0 || height <= 0 || stride < width || x < 0 || y < 0)
    return false;
  QImage& image = bitmap->image;
  if (int64_t{x} + width > image.width() || int64_t{y} + height > image.height()) return false;
  if (image.format() == QImage::Format_Mono) {
    for (int32_t row = 0; row < height; ++row) {
      const uint32_t* in = pixels + static_cast<size_t>(row) * stride;
      uchar* out = image.scanLine(y + row);
      for (int32_t column = 0; column < width; ++column) {
        const int32_t at = x + column;
        const uchar bit = static_cast<uchar>(0x80 >> (at & 7));
        if ((in[column] & 0xFFFFFF) == 0xFFFFFF)
          out[at >> 3] |= bit;
        else
          out[at >> 3] &= static_cast<uchar>(~bit);
      }
    }
    return true;
  }
  for (int32_t row = 0; row < height; ++row) {
    const uint32_t* in = pixels + static_cast<size_t>(row) * stride;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y + row)) + x;
    for (int32_t column = 0; column < width; ++column) out[column] = in[column] | 0xFF000000u;
  }
  return true;
}

HBITMAP CopyBitmap(HBITMAP bitmap) {
  if (bitmap == nullptr) return nullptr;
  QImage copy = bitmap->image.copy();
  return Release(std::move(copy));
}

bool DeleteObject(HBITMAP bitmap) {
  if (bitmap == nullptr) return false;
  std::unique_ptr<GdiBitmap> owned(bitmap);
  return true;
}

HPALETTE CreatePalette(uint16_t version, const std::vector<PALETTEENTRY>& entries) {
  if (version != 0x300 || entries.empty() || entries.size() > 256) return nullptr;
  auto palette = std::make_unique<GdiPalette>();
  palette->entries = entries;
  return palette.release();
}

int GetPaletteEntries(HPALETTE palette, int start, int count, PALETTEENTRY* out) {
  if (palette == nullptr || start < 0 || count <= 0) return 0;
  const int size = static_cast<int>(palette->entries.size());
  const int n = std::clamp(size - start, 0, count);
  for (int i = 0; i < n; ++i) out[i] = palette->entries[start + i];
  return n;
}

int PaletteEntryCount(HPALETTE palette) {
  return palette == nullptr ? 0 : static_cast<int>(palette->entries.size());
}

int GetNearestPaletteIndex(HPALETTE palette, int32_t rgbColor) {
  if (palette == nullptr || palette->entries.empty()) return -1;
  const int r = rgbColor & 0xFF, g = (rgbColor >> 8) & 0xFF, b = (rgbColor >> 16) & 0xFF;
  int best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (size_t i = 0; i < palette->entries.size(); ++i) {
    const auto& e = palette->entries[i];
    const int dr = e.peRed - r, dg = e.peGreen - g, db = e.peBlue - b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

int GetSystemPaletteEntries(int start, int count, PALETTEENTRY* out) {
  static constexpr PALETTEENTRY low[10] = {
      {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
      {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0}};
  static constexpr PALETTEENTRY high[10] = {
      {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
      {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0}};
  if (start < 0 || count <= 0) return 0;
  const int n = std::clamp(256 - start, 0, count);
  for (int i = 0; i < n; ++i) {
    const int index = start + i;
    out[i] = index < 10 ? low[index] : index >= 246 ? high[index - 246] : PALETTEENTRY{};
  }
  return n;
}

bool DeleteObject(HPALETTE palette) {
  if (palette == nullptr) return false;
  std::unique_ptr<GdiPalette> owned(palette);
  return true;
}

}  // namespace win
