#pragma once

// Qt's side of the layer's objects, for platform/gui itself and for the image
// decoder stand-in (which produces its bitmaps through Qt). The rest of the
// system never includes this header.

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/colors.h"
#include "platform/gui/gdi_objects.h"
#include "platform/gui/screen.h"

namespace win {

// A bitmap is a QImage in Format_RGB32 (colour) or Format_Mono (index 0 black,
// index 1 white).
struct GdiBitmap {
  QImage image;
};

struct GdiPalette {
  std::vector<PALETTEENTRY> entries;
};

// A new handle holding a copy of image converted to RGB32, alpha dropped
// (monochrome images stay monochrome, white = 1); null for a null image.
HBITMAP CreateBitmapFromImage(const QImage& image);

}  // namespace win

namespace cl {

class TCanvas;

// The resolved colour of a TColor.
QColor ToQColor(TColor color);
QRgb ToQRgb(TColor color);
TColor FromQRgb(QRgb rgb);

// Code page 1250 text at Qt's edge.
QString ToQString(std::string_view cp1250);
std::string FromQString(const QString& text);

// A Windows cursor drawing as Qt's cursor (needs the Qt application).
QCursor ToQCursor(const TCursorShape& shape);

// A canvas over a painter that someone else owns (a widget's paint event, a
// printer page). The painter must outlive the canvas.
enum class DeviceKind { Screen, Printer };
std::unique_ptr<TCanvas> CreatePainterCanvas(QPainter& painter, QSize size, DeviceKind kind,
                                             int pixelsPerInch = 96);

}  // namespace cl
