#include "platform/gui/transparent_draw.h"

#include "platform/gui/canvas_impl.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

void DrawTransparent(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, const TRect& source, TColor transparent) {
  if (bitmap.Empty() || dest.IsEmpty() || source.IsEmpty()) return;
  const QRect from(source.Left, source.Top, source.Width(), source.Height());
  QImage picture = bitmap.Handle()->image.copy(from).convertToFormat(QImage::Format_ARGB32);
  const QRgb hole = ToQRgb(transparent) | 0xFF000000u;
  for (int y = 0; y < picture.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      if ((row[x] | 0xFF000000u) == hole) row[x] = 0;
    }
  }
  CanvasAccess::Paint(canvas, [&](QPainter& painter) {
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), picture);
  });
}

}  // namespace cl
