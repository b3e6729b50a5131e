// Bit-block transfers: raster operations and stretch modes on RGB32 images.

#include <QPainter>

#include "platform/gui/canvas.h"
#include "platform/gui/canvas_impl.h"
#include "platform/gui/gdi_constants.h"

namespace cl {

QPainter::CompositionMode CompositionFor(uint32_t rop) {
  switch (rop) {
    case win::SRCCOPY: return QPainter::CompositionMode_Source;
    case win::SRCPAINT: return QPainter::RasterOp_SourceOrDestination;
    case win::SRCAND: return QPainter::RasterOp_SourceAndDestination;
    case win::SRCINVERT: return QPainter::RasterOp_SourceXorDestination;
    case win::SRCERASE: return QPainter::RasterOp_SourceAndNotDestination;
    case win::NOTSRCCOPY: return QPainter::RasterOp_NotSource;
    case win::NOTSRCERASE: return QPainter::RasterOp_NotSourceAndNotDestination;
    case win::MERGEPAINT: return QPainter::RasterOp_NotSourceOrDestination;
    case win::DSna: return QPainter::RasterOp_NotSourceAndDestination;
    case win::DSTINVERT: return QPainter::RasterOp_NotDestination;
    case win::BLACKNESS: return QPainter::RasterOp_ClearDestination;
    case win::WHITENESS: return QPainter::RasterOp_SetDestination;
    default: return QPainter::CompositionMode_Source;
  }
}

namespace {

bool KnownRop(uint32_t rop) {
  switch (rop) {
    case win::SRCCOPY: case win::SRCPAINT: case win::SRCAND: case win::SRCINVERT: case win::SRCERASE:
    case win::NOTSRCCOPY: case win::NOTSRCERASE: case win::MERGEPAINT: case win::DSna: case win::DSTINVERT:
    case win::BLACKNESS: case win::WHITENESS:
      return true;
    default:
      return false;
  }
}

bool UsesSource(uint32_t rop) { return rop != win::DSTINVERT && rop != win::BLACKNESS && rop != win::WHITENESS; }

// [first, last) of the source pixels that map onto destination pixel d.
std::pair<int, int> Span(int d, int destSize, int srcSize) {
  const int first = static_cast<int>(int64_t{d} * srcSize / destSize);
  const int last = std::max(first + 1, static_cast<int>(int64_t{d + 1} * srcSize / destSize));
  return {first, std::min(last, srcSize)};
}

// True when the canvas maps logical to device pixels by a shift alone: a
// rectangle drawn there covers exactly its own number of device pixels.
bool OnlyShifted(const TCanvas& dest) {
  if (CanvasAccess::Mapping(dest).type() > QTransform::TxTranslate) return false;
  const auto& target = CanvasAccess::Target(dest);
  return target.kind != TCanvas::Target::Kind::Painter ||
         (target.painter != nullptr && target.painter->transform().isIdentity());
}

// The part of destRect that lands on the device: a picture drawn far larger
// than the device is made only where it shows. Under a mapping that scales,
// or on a painter that was handed over transformed, the whole rectangle.
QRect VisiblePart(const TCanvas& dest, const QRect& destRect) {
  if (!OnlyShifted(dest)) return destRect;
  const QTransform mapping = CanvasAccess::Mapping(dest);
  const TSize size = dest.Size();
  const QRect device = QRect(0, 0, size.cx, size.cy).translated(-qRound(mapping.dx()), -qRound(mapping.dy()));
  return destRect.intersected(device);
}

// The source pixels under an unstretched copy, row by row: what lies outside
// the source reads black, and every pixel is opaque.
void CopyRows(const QImage& src, const QRect& from, QImage& pixels) {
  pixels.fill(Qt::black);
  const QRect inside = from.intersected(src.rect());
  if (inside.isEmpty()) return;
  const int dx = inside.x() - from.x(), dy = inside.y() - from.y();
  for (int y = 0; y < inside.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(inside.y() + y)) + inside.x();
    auto* out = reinterpret_cast<QRgb*>(pixels.scanLine(dy + y)) + dx;
    for (int x = 0; x < inside.width(); ++x) out[x] = in[x] | 0xFF000000u;
  }
}

}  // namespace

bool BlitImage(TCanvas& dest, QRect destRect, const QImage& src, QRect srcRect, uint32_t rop, TColor srcBk) {
  if (!KnownRop(rop) || destRect.width() <= 0 || destRect.height() <= 0) return false;
  const win::HBITMAP destBitmap = CanvasAccess::Bitmap(dest);
  const bool destMono = destBitmap != nullptr && destBitmap->image.format() == QImage::Format_Mono;
  if (UsesSource(rop) && (src.isNull() || srcRect.width() <= 0 || srcRect.height() <= 0)) return false;
  const QRect visible = VisiblePart(dest, destRect);
  if (visible.isEmpty()) return true;
  const QPainter::CompositionMode composition = CompositionFor(rop);
  const bool srcMono = src.format() == QImage::Format_Mono;
  const bool direct = !srcMono && src.depth() == 32;
  if (UsesSource(rop) && direct && !destMono && destRect.size() == srcRect.size()) {
    // Colour onto colour at its own size, the copy of every paint: whole
    // scan lines, and straight from the source where it covers the rectangle.
    const QRect from = visible.translated(srcRect.topLeft() - destRect.topLeft());
    const bool whole = src.format() == QImage::Format_RGB32 && src.rect().contains(from) && OnlyShifted(dest);
    QImage pixels;
    if (!whole) {
      pixels = QImage(visible.size(), QImage::Format_RGB32);
      CopyRows(src, from, pixels);
    }
    return CanvasAccess::Paint(dest, [&](QPainter& painter) {
      painter.setCompositionMode(composition);
      if (whole)
        painter.drawImage(visible.topLeft(), src, from);
      else
        painter.drawImage(visible.topLeft(), pixels);
    });
  }
  QImage pixels(visible.size(), QImage::Format_RGB32);
  pixels.fill(Qt::black);
  if (UsesSource(rop)) {
    // The source as colours: a monochrome one through the destination's text
    // (0) and background (1) colours, or black and white onto monochrome.
    const QRgb zero = destMono ? qRgb(0, 0, 0) : ToQRgb(dest.TextColor());
    const QRgb one = destMono ? qRgb(255, 255, 255) : ToQRgb(dest.BkColor());
    auto at = [&](int sx, int sy) -> QRgb {
      if (!src.valid(sx, sy)) return srcMono ? zero : qRgb(0, 0, 0);
      if (srcMono) return src.pixelIndex(sx, sy) != 0 ? one : zero;
      if (direct) return reinterpret_cast<const QRgb*>(src.constScanLine(sy))[sx] | 0xFF000000u;
      return src.pixel(sx, sy) | 0xFF000000u;
    };
    const int mode = dest.StretchBltMode();
    const bool stretched = destRect.size() != srcRect.size();
    const bool combine = stretched && (mode == win::BLACKONWHITE || mode == win::WHITEONBLACK);
    // Each destination pixel reads only the source pixels that map onto it.
    for (int y = 0; y < visible.height(); ++y) {
      const auto [y0, y1] = Span(visible.y() - destRect.y() + y, destRect.height(), srcRect.height());
      auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
      for (int x = 0; x < visible.width(); ++x) {
        const auto [x0, x1] = Span(visible.x() - destRect.x() + x, destRect.width(), srcRect.width());
        if (!combine) {
          row[x] = at(srcRect.x() + x0, srcRect.y() + y0);
          continue;
        }
        // Every source pixel that falls on this one is combined, so a thin
        // black (or white) line survives shrinking.
        QRgb value = mode == win::BLACKONWHITE ? 0xFFFFFFFFu : 0xFF000000u;
        for (int sy = y0; sy < y1; ++sy)
          for (int sx = x0; sx < x1; ++sx) {
            const QRgb p = at(srcRect.x() + sx, srcRect.y() + sy);
            value = mode == win::BLACKONWHITE ? (value & p) : (value | p);
          }
        row[x] = value | 0xFF000000u;
      }
    }
    if (destMono && !srcMono) {
      // Colour to monochrome: the source's background colour becomes 1.
      const QRgb bk = ToQRgb(srcBk) & 0xFFFFFFu;
      for (int y = 0; y < pixels.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) row[x] = (row[x] & 0xFFFFFFu) == bk ? 0xFFFFFFFFu : 0xFF000000u;
      }
    }
  }
  return CanvasAccess::Paint(dest, [&](QPainter& painter) {
    painter.setCompositionMode(composition);
    painter.drawImage(visible.topLeft(), pixels);
  });
}

bool TCanvas::BitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const TCanvas& source, int32_t sx,
                     int32_t sy, uint32_t rop) {
  return StretchBlt(x, y, width, height, source, sx, sy, width, height, rop);
}

bool TCanvas::StretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const TCanvas& source, int32_t sx,
                         int32_t sy, int32_t sw, int32_t sh, uint32_t rop) {
  const win::HBITMAP bitmap = CanvasAccess::Bitmap(source);
  if (bitmap == nullptr) return false;
  // Drawing a bitmap onto itself reads a copy.
  const QImage src = bitmap == CanvasAccess::Bitmap(*this) ? bitmap->image.copy() : bitmap->image;
  // The source rectangle is in the source's logical coordinates.
  const TPoint from = source.LPtoDP({sx, sy}), to = source.LPtoDP({sx + sw, sy + sh});
  return BlitImage(*this, QRect(x, y, width, height), src, QRect(from.X, from.Y, to.X - from.X, to.Y - from.Y), rop,
                   source.BkColor());
}

bool TCanvas::PatBlt(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop) {
  if (UsesSource(rop)) return false;
  return BlitImage(*this, QRect(x, y, width, height), QImage(), QRect(), rop, clBlack);
}

}  // namespace cl
