#pragma once

// platform/gui's own: what a canvas draws on and how it gets a painter.

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTransform>
#include <functional>
#include <string_view>

#include "platform/gui/canvas.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

struct TCanvas::Target {
  enum class Kind { Memory, Bitmap, Painter };
  Kind kind = Kind::Memory;
  // Painter: someone else's painter (a widget's paint event, a printer page).
  QPainter* painter = nullptr;
  QSize size;
  DeviceKind device = DeviceKind::Screen;
  int pixelsPerInch = 96;
  // Memory: the selected bitmap, or the context's own 1x1 monochrome one.
  win::UniqueBitmap own;
  win::HBITMAP selected = nullptr;
  // Bitmap: the canvas of a TBitmap, drawing on whatever handle it holds.
  TBitmap* owner = nullptr;
  // Tests: hears of every text drawn that shows within the clip, with its
  // whole box in device pixels.
  std::function<void(const TRect& deviceBox, std::string_view text)> textSink;
};

struct CanvasAccess {
  static std::unique_ptr<TCanvas> Create(std::unique_ptr<TCanvas::Target> target);
  // The bitmap drawn on, or null for a painter canvas or an empty bitmap.
  static win::HBITMAP Bitmap(const TCanvas& canvas);
  // Runs paint with a painter on the device, clipped to the clip region. A
  // monochrome bitmap is painted through a colour copy, pixels of grey 128
  // and above becoming 1. False when there is nothing to paint on.
  static bool Paint(TCanvas& canvas, const std::function<void(QPainter&)>& paint);
  static const TCanvas::Target& Target(const TCanvas& canvas) { return *canvas.target_; }
  static void SetTextSink(TCanvas& canvas, std::function<void(const TRect&, std::string_view)> sink) {
    canvas.target_->textSink = std::move(sink);
  }
  // The logical-to-device mapping as a painter transform.
  static QTransform Mapping(const TCanvas& canvas);
};

QPainter::CompositionMode CompositionFor(uint32_t rop);

// Draws src (RGB32 or monochrome) from srcRect stretched to destRect onto
// dest with a raster operation; srcBk is the source's background colour for
// colour-to-monochrome copies.
bool BlitImage(TCanvas& dest, QRect destRect, const QImage& src, QRect srcRect, uint32_t rop, TColor srcBk);

}  // namespace cl
