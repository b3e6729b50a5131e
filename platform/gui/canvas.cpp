#include "platform/gui/canvas.h"

#include <QPolygon>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/core/mul_div.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas_impl.h"
#include "platform/gui/font_face.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/region_impl.h"
#include "platform/gui/screen.h"

namespace cl {

namespace {

QRect ToQRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return QRect(left, top, right - left, bottom - top);
}

void Normalize(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
}

QPainter::CompositionMode PenComposition(TPenMode mode) {
  switch (mode) {
    case TPenMode::pmNot: return QPainter::RasterOp_NotDestination;
    case TPenMode::pmXor: return QPainter::RasterOp_SourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

// The pixels of a one-pixel line from (x0, y0) up to, not including, (x1, y1).
QPolygon LinePixels(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  QPolygon points;
  const int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int32_t err = dx + dy;
  int32_t x = x0, y = y0;
  while (x != x1 || y != y1) {
    points << QPoint(x, y);
    const int32_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  return points;
}

// The pixels of a line as runs along a row or a column: the same pixels in
// far fewer operations, which keeps a printed page's drawing small.
std::vector<QRect> PixelRuns(const QPolygon& points) {
  std::vector<QRect> runs;
  for (qsizetype i = 0; i < points.size();) {
    const QPoint start = points[i];
    qsizetype j = i + 1;
    if (j < points.size() && points[j].y() == start.y()) {
      while (j < points.size() && points[j].y() == start.y() && std::abs(points[j].x() - points[j - 1].x()) == 1) ++j;
      const int left = std::min(start.x(), points[j - 1].x());
      runs.emplace_back(left, start.y(), static_cast<int>(j - i), 1);
    } else {
      while (j < points.size() && points[j].x() == start.x() && std::abs(points[j].y() - points[j - 1].y()) == 1) ++j;
      const int top = std::min(start.y(), points[j - 1].y());
      runs.emplace_back(start.x(), top, 1, static_cast<int>(j - i));
    }
    i = j;
  }
  return runs;
}

// A row or a column is one run whatever its length (table rules and borders
// are drawn so, often far wider than the bitmap); other lines step pixel by pixel.
std::vector<QRect> LineRuns(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (x0 == x1 && y0 == y1) return {};
  // The run's far end is left out; a length past the int range is cut (clipped anyway).
  auto run = [](int32_t from, int32_t to) {
    const int64_t first = from < to ? int64_t{from} : int64_t{to} + 1;
    const int64_t length = std::min<int64_t>(std::abs(int64_t{to} - from), INT32_MAX);
    return std::pair<int, int>(static_cast<int>(first), static_cast<int>(length));
  };
  if (y0 == y1) {
    const auto [left, width] = run(x0, x1);
    return {QRect(left, y0, width, 1)};
  }
  if (x0 == x1) {
    const auto [top, height] = run(y0, y1);
    return {QRect(x0, top, 1, height)};
  }
  return PixelRuns(LinePixels(x0, y0, x1, y1));
}

}  // namespace

// ---- construction ----

std::unique_ptr<TCanvas> CanvasAccess::Create(std::unique_ptr<TCanvas::Target> target) {
  return std::unique_ptr<TCanvas>(new TCanvas(std::move(target)));
}

TCanvas::TCanvas(std::unique_ptr<Target> target) : target_(std::move(target)) {
  brush_.canvas_ = this;
  font_.OnChange = [this] { FontChanged(); };
  textColor_ = font_.Color();
}

TCanvas::~TCanvas() = default;

std::unique_ptr<TCanvas> TCanvas::CreateCompatible() {
  auto target = std::make_unique<Target>();
  target->kind = Target::Kind::Memory;
  target->own.reset(win::CreateBitmap(1, 1, 1));
  return CanvasAccess::Create(std::move(target));
}

std::unique_ptr<TCanvas> CreatePainterCanvas(QPainter& painter, QSize size, DeviceKind kind, int pixelsPerInch) {
  auto target = std::make_unique<TCanvas::Target>();
  target->pixelsPerInch = pixelsPerInch;
  target->kind = TCanvas::Target::Kind::Painter;
  target->painter = &painter;
  target->size = size;
  target->device = kind;
  return CanvasAccess::Create(std::move(target));
}

void TBrush::SetColor(TColor color) {
  color_ = color;
  if (canvas_ != nullptr) canvas_->BrushChanged();
}

void TBrush::SetStyle(TBrushStyle style) {
  style_ = style;
  if (canvas_ != nullptr) canvas_->BrushChanged();
}

void TCanvas::BrushChanged() {
  bkColor_ = brush_.Color();
  bkMode_ = brush_.Style() == TBrushStyle::bsClear ? win::TRANSPARENT : win::OPAQUE;
}

void TCanvas::FontChanged() { textColor_ = font_.Color(); }

// ---- the device ----

win::HBITMAP CanvasAccess::Bitmap(const TCanvas& canvas) {
  const auto& target = *canvas.target_;
  switch (target.kind) {
    case TCanvas::Target::Kind::Memory: return target.selected != nullptr ? target.selected : target.own.get();
    case TCanvas::Target::Kind::Bitmap: return target.owner->Handle();
    default: return nullptr;
  }
}

bool CanvasAccess::Paint(TCanvas& canvas, const std::function<void(QPainter&)>& paint) {
  const auto& target = *canvas.target_;
  auto applyClip = [&canvas](QPainter& painter) {
    if (canvas.clip_) painter.setClipRegion(canvas.clip_->impl().region);
  };
  if (target.kind == TCanvas::Target::Kind::Painter) {
    QPainter& painter = *target.painter;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    applyClip(painter);
    painter.setTransform(Mapping(canvas), true);
    paint(painter);
    painter.restore();
    return true;
  }
  win::HBITMAP bitmap = Bitmap(canvas);
  if (bitmap == nullptr) return false;
  QImage& image = bitmap->image;
  if (image.format() != QImage::Format_Mono) {
    QPainter painter(&image);
    applyClip(painter);
    painter.setTransform(Mapping(canvas));
    paint(painter);
    return true;
  }
  QImage colour = image.convertToFormat(QImage::Format_RGB32);
  {
    QPainter painter(&colour);
    applyClip(painter);
    painter.setTransform(Mapping(canvas));
    paint(painter);
  }
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(colour.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qGray(row[x]) >= 128 ? 1 : 0);
  }
  return true;
}

int TCanvas::BitsPerPixel() const {
  if (target_->kind == Target::Kind::Painter) {
    if (deviceBits_ > 0) return deviceBits_;
    return target_->device == DeviceKind::Printer ? 24 : Screen().BitsPerPixel();
  }
  const win::HBITMAP bitmap = CanvasAccess::Bitmap(*this);
  if (bitmap != nullptr && bitmap->image.format() == QImage::Format_Mono) return 1;
  return Screen().BitsPerPixel();
}

int TCanvas::PixelsPerInch() const {
  return target_->kind == Target::Kind::Painter ? target_->pixelsPerInch : 96;
}

int TCanvas::NumColors() const {
  const int bits = BitsPerPixel();
  return bits <= 8 ? 1 << bits : -1;
}

bool TCanvas::IsPrinter() const {
  return target_->kind == Target::Kind::Painter && target_->device == DeviceKind::Printer;
}

TSize TCanvas::Size() const {
  if (target_->kind == Target::Kind::Painter) return {target_->size.width(), target_->size.height()};
  const win::HBITMAP bitmap = CanvasAccess::Bitmap(*this);
  if (bitmap == nullptr) return {};
  return {bitmap->image.width(), bitmap->image.height()};
}

win::HBITMAP TCanvas::SelectBitmap(win::HBITMAP bitmap) {
  if (target_->kind != Target::Kind::Memory || bitmap == nullptr) return nullptr;
  const win::HBITMAP previous = target_->selected != nullptr ? target_->selected : target_->own.get();
  target_->selected = bitmap == target_->own.get() ? nullptr : bitmap;
  return previous;
}

win::HBITMAP TCanvas::SelectedBitmap() const { return CanvasAccess::Bitmap(*this); }

// ---- state ----

TColor TCanvas::SetTextColor(TColor color) { return std::exchange(textColor_, color); }
TColor TCanvas::SetBkColor(TColor color) { return std::exchange(bkColor_, color); }
int TCanvas::SetBkMode(int mode) { return std::exchange(bkMode_, mode); }
uint32_t TCanvas::SetTextAlign(uint32_t align) { return std::exchange(textAlign_, align); }
int TCanvas::SetStretchBltMode(int mode) { return std::exchange(stretchMode_, mode); }

win::HPALETTE TCanvas::SelectPalette(win::HPALETTE palette, bool /*forceBackground*/) {
  return std::exchange(palette_, palette);
}

int TCanvas::RealizePalette() {
  if (palette_ == nullptr || BitsPerPixel() > 8) return 0;
  return win::PaletteEntryCount(palette_);
}

// ---- saved states ----

int TCanvas::SaveDC() {
  saved_.push_back({textColor_, bkColor_, bkMode_, textAlign_, stretchMode_, penPos_, clip_, palette_, mapMode_,
                    windowOrg_, viewportOrg_, windowExt_, viewportExt_});
  return static_cast<int>(saved_.size());
}

bool TCanvas::RestoreDC(int level) {
  const int count = static_cast<int>(saved_.size());
  if (level < 0) level = count + 1 + level;
  if (level < 1 || level > count) return false;
  SavedState state = std::move(saved_[static_cast<size_t>(level - 1)]);
  saved_.resize(static_cast<size_t>(level - 1));
  textColor_ = state.textColor;
  bkColor_ = state.bkColor;
  bkMode_ = state.bkMode;
  textAlign_ = state.textAlign;
  stretchMode_ = state.stretchMode;
  penPos_ = state.penPos;
  clip_ = std::move(state.clip);
  palette_ = state.palette;
  mapMode_ = state.mapMode;
  windowOrg_ = state.windowOrg;
  viewportOrg_ = state.viewportOrg;
  windowExt_ = state.windowExt;
  viewportExt_ = state.viewportExt;
  return true;
}

// ---- coordinates ----

QTransform CanvasAccess::Mapping(const TCanvas& canvas) {
  QTransform mapping;
  mapping.translate(canvas.viewportOrg_.X, canvas.viewportOrg_.Y);
  if (canvas.mapMode_ == win::MM_ANISOTROPIC && canvas.windowExt_.cx != 0 && canvas.windowExt_.cy != 0)
    mapping.scale(static_cast<double>(canvas.viewportExt_.cx) / canvas.windowExt_.cx,
                  static_cast<double>(canvas.viewportExt_.cy) / canvas.windowExt_.cy);
  mapping.translate(-canvas.windowOrg_.X, -canvas.windowOrg_.Y);
  return mapping;
}

int TCanvas::SetMapMode(int mode) { return std::exchange(mapMode_, mode); }
TPoint TCanvas::SetWindowOrg(int32_t x, int32_t y) { return std::exchange(windowOrg_, TPoint{x, y}); }
TPoint TCanvas::SetViewportOrg(int32_t x, int32_t y) { return std::exchange(viewportOrg_, TPoint{x, y}); }
TSize TCanvas::SetWindowExt(int32_t cx, int32_t cy) {
  if (cx == 0 || cy == 0) return windowExt_;
  return std::exchange(windowExt_, TSize{cx, cy});
}
TSize TCanvas::SetViewportExt(int32_t cx, int32_t cy) {
  if (cx == 0 || cy == 0) return viewportExt_;
  return std::exchange(viewportExt_, TSize{cx, cy});
}

TPoint TCanvas::LPtoDP(TPoint logical) const {
  const bool scaled = mapMode_ == win::MM_ANISOTROPIC;
  const int32_t x = logical.X - windowOrg_.X, y = logical.Y - windowOrg_.Y;
  return {(scaled ? win::MulDiv(x, viewportExt_.cx, windowExt_.cx) : x) + viewportOrg_.X,
          (scaled ? win::MulDiv(y, viewportExt_.cy, windowExt_.cy) : y) + viewportOrg_.Y};
}

TPoint TCanvas::DPtoLP(TPoint device) const {
  const bool scaled = mapMode_ == win::MM_ANISOTROPIC;
  const int32_t x = device.X - viewportOrg_.X, y = device.Y - viewportOrg_.Y;
  return {(scaled ? win::MulDiv(x, windowExt_.cx, viewportExt_.cx) : x) + windowOrg_.X,
          (scaled ? win::MulDiv(y, windowExt_.cy, viewportExt_.cy) : y) + windowOrg_.Y};
}

// ---- clipping ----

void TCanvas::SelectClipRgn(const win::Region* region) {
  if (region == nullptr)
    clip_.reset();
  else
    clip_ = *region;
}

void TCanvas::IntersectClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const TPoint a = LPtoDP({left, top}), b = LPtoDP({right, bottom});
  const win::Region rect = win::CreateRectRgn(a.X, a.Y, b.X, b.Y);
  if (!clip_) {
    const TSize size = Size();
    clip_ = win::CreateRectRgn(0, 0, size.cx, size.cy);
  }
  clip_ = win::CombineRgn(*clip_, rect, win::RGN_AND);
}

void TCanvas::ExcludeClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (!clip_) {
    const TSize size = Size();
    clip_ = win::CreateRectRgn(0, 0, size.cx, size.cy);
  }
  const TPoint a = LPtoDP({left, top}), b = LPtoDP({right, bottom});
  clip_ = win::CombineRgn(*clip_, win::CreateRectRgn(a.X, a.Y, b.X, b.Y), win::RGN_DIFF);
}

TRect TCanvas::GetClipBox() const {
  TRect box;
  if (clip_) {
    box = clip_->Box();
  } else {
    const TSize size = Size();
    box = {0, 0, size.cx, size.cy};
  }
  const TPoint a = DPtoLP({box.Left, box.Top}), b = DPtoLP({box.Right, box.Bottom});
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// ---- shapes ----

void TCanvas::MoveTo(int32_t x, int32_t y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int32_t x, int32_t y) {
  const TPoint from = penPos_;
  penPos_ = {x, y};
  if (pen_.Style() == TPenStyle::psClear) return;
  const QColor color = ToQColor(pen_.Color());
  const TPenMode mode = pen_.Mode();
  if (pen_.Width() <= 1 && (pen_.Style() == TPenStyle::psSolid || pen_.Style() == TPenStyle::psInsideFrame)) {
    const std::vector<QRect> runs = LineRuns(from.X, from.Y, x, y);
    CanvasAccess::Paint(*this, [&](QPainter& painter) {
      painter.setCompositionMode(PenComposition(mode));
      for (const QRect& run : runs) painter.fillRect(run, color);
    });
    return;
  }
  const int32_t width = pen_.Width();
  Qt::PenStyle style = Qt::SolidLine;
  switch (pen_.Style()) {
    case TPenStyle::psDash: style = Qt::DashLine; break;
    case TPenStyle::psDot: style = Qt::DotLine; break;
    case TPenStyle::psDashDot: style = Qt::DashDotLine; break;
    case TPenStyle::psDashDotDot: style = Qt::DashDotDotLine; break;
    default: break;
  }
  CanvasAccess::Paint(*this, [&](QPainter& painter) {
    painter.setCompositionMode(PenComposition(mode));
    painter.setPen(QPen(color, width, style, Qt::FlatCap));
    painter.drawLine(from.X, from.Y, x, y);
  });
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  MoveTo(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
}

void TCanvas::Polygon(const std::vector<TPoint>& points, int fillMode) {
  if (points.size() < 2) return;
  if (brush_.Style() != TBrushStyle::bsClear) {
    QPolygon polygon;
    for (const auto& p : points) polygon << QPoint(p.X, p.Y);
    const QColor color = ToQColor(brush_.Color());
    CanvasAccess::Paint(*this, [&](QPainter& painter) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(color);
      painter.drawPolygon(polygon, fillMode == win::WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    });
  }
  const TPoint saved = penPos_;
  MoveTo(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
  LineTo(points[0].X, points[0].Y);
  penPos_ = saved;
}

void TCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Normalize(left, top, right, bottom);
  if (right - left < 1 || bottom - top < 1) return;
  const bool fill = brush_.Style() != TBrushStyle::bsClear;
  const bool outline = pen_.Style() != TPenStyle::psClear;
  const QColor brushColor = ToQColor(brush_.Color());
  const QColor penColor = ToQColor(pen_.Color());
  const int32_t w = std::min({pen_.Width(), (right - left + 1) / 2, (bottom - top + 1) / 2});
  CanvasAccess::Paint(*this, [&](QPainter& painter) {
    if (fill) painter.fillRect(ToQRect(left, top, right, bottom), brushColor);
    if (outline) {
      painter.fillRect(ToQRect(left, top, right, top + w), penColor);
      painter.fillRect(ToQRect(left, bottom - w, right, bottom), penColor);
      painter.fillRect(ToQRect(left, top, left + w, bottom), penColor);
      painter.fillRect(ToQRect(right - w, top, right, bottom), penColor);
    }
  });
}

void TCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Normalize(left, top, right, bottom);
  if (right - left < 1 || bottom - top < 1) return;
  const bool fill = brush_.Style() != TBrushStyle::bsClear;
  const bool outline = pen_.Style() != TPenStyle::psClear;
  const QColor brushColor = ToQColor(brush_.Color());
  const QColor penColor = ToQColor(pen_.Color());
  CanvasAccess::Paint(*this, [&](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(outline ? QPen(penColor, 1) : QPen(Qt::NoPen));
    painter.setBrush(fill ? QBrush(brushColor) : QBrush(Qt::NoBrush));
    // A one-pixel pen covers width + 1 columns: the right and bottom edges stay out.
    if (outline)
      painter.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    else
      painter.drawEllipse(ToQRect(left, top, right, bottom));
  });
}

void TCanvas::FillRect(const TRect& rect) { FillRect(rect, brush_.Color()); }

void TCanvas::FillRect(const TRect& rect, TColor color) {
  if (rect.IsEmpty()) return;
  const QColor c = ToQColor(color);
  CanvasAccess::Paint(*this, [&](QPainter& painter) {
    painter.fillRect(ToQRect(rect.Left, rect.Top, rect.Right, rect.Bottom), c);
  });
}

void TCanvas::FrameRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const QColor c = ToQColor(brush_.Color());
  CanvasAccess::Paint(*this, [&](QPainter& painter) {
    painter.fillRect(ToQRect(rect.Left, rect.Top, rect.Right, rect.Top + 1), c);
    painter.fillRect(ToQRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), c);
    painter.fillRect(ToQRect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom), c);
    painter.fillRect(ToQRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), c);
  });
}

void TCanvas::FillRgn(const win::Region& region, TColor color) {
  const QColor c = ToQColor(color);
  const QRegion& r = region.impl().region;
  CanvasAccess::Paint(*this, [&](QPainter& painter) {
    for (const QRect& rect : r) painter.fillRect(rect, c);
  });
}

void TCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
  const QColor c = ToQColor(color);
  CanvasAccess::Paint(*this, [&](QPainter& painter) { painter.fillRect(QRect(x, y, 1, 1), c); });
}

TColor TCanvas::GetPixel(int32_t x, int32_t y) const {
  const win::HBITMAP bitmap = CanvasAccess::Bitmap(*this);
  const TPoint p = LPtoDP({x, y});
  if (bitmap == nullptr || !bitmap->image.valid(p.X, p.Y)) return -1;
  return FromQRgb(bitmap->image.pixel(p.X, p.Y));
}

// ---- text ----

TSize TCanvas::TextExtent(std::string_view text) const {
  return {font_.TextWidth(text), font_.Metrics().tmHeight};
}

void TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) { ExtTextOut(x, y, 0, nullptr, text); }

void TCanvas::ExtTextOut(int32_t x, int32_t y, uint32_t options, const TRect* rect, std::string_view text) {
  const bool updateCp = (textAlign_ & win::TA_UPDATECP) != 0;
  if (updateCp) {
    x = penPos_.X;
    y = penPos_.Y;
  }
  const FontFace& face = font_.Face();
  const TTextMetric& m = face.Metrics();
  const int32_t width = font_.TextWidth(text);
  int32_t left = x;
  if ((textAlign_ & win::TA_CENTER) == win::TA_CENTER)
    left = x - width / 2;
  else if ((textAlign_ & win::TA_RIGHT) != 0)
    left = x - width;
  int32_t baseline = y + m.tmAscent;
  if ((textAlign_ & win::TA_BASELINE) == win::TA_BASELINE)
    baseline = y;
  else if ((textAlign_ & win::TA_BOTTOM) != 0)
    baseline = y - m.tmDescent;
  const QColor textColor = ToQColor(textColor_);
  const QColor bkColor = ToQColor(bkColor_);
  const bool opaque = bkMode_ == win::OPAQUE;
  CanvasAccess::Paint(*this, [&](QPainter& painter) {
    if (rect != nullptr) {
      const QRect r = ToQRect(rect->Left, rect->Top, rect->Right, rect->Bottom);
      if ((options & win::ETO_OPAQUE) != 0) painter.fillRect(r, bkColor);
      if ((options & win::ETO_CLIPPED) != 0) painter.setClipRect(r, Qt::IntersectClip);
    }
    if (opaque) painter.fillRect(QRect(left, baseline - m.tmAscent, width, m.tmHeight), bkColor);
    face.Draw(painter, left, baseline, text, textColor);
  });
  if (target_->textSink && !text.empty()) {
    const TPoint topLeft = LPtoDP({left, baseline - m.tmAscent});
    const TPoint bottomRight = LPtoDP({left + width, baseline + m.tmDescent});
    const TRect box{topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
    QRegion shown(0, 0, target_->size.width(), target_->size.height());
    if (clip_) shown &= clip_->impl().region;
    if (shown.intersects(QRect(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top)))
      target_->textSink(box, text);
  }
  if (updateCp) penPos_.X = (textAlign_ & win::TA_RIGHT) != 0 && (textAlign_ & win::TA_CENTER) != win::TA_CENTER
                                ? x - width
                                : x + width;
  else
    penPos_ = {x + width, y};
}

// ---- bitmaps ----

void TCanvas::Draw(int32_t x, int32_t y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  BitBlt(x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas(), 0, 0, win::SRCCOPY);
}

void TCanvas::StretchDraw(const TRect& rect, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const int previous = SetStretchBltMode(win::COLORONCOLOR);
  StretchBlt(rect.Left, rect.Top, rect.Width(), rect.Height(), bitmap.Canvas(), 0, 0, bitmap.Width(),
             bitmap.Height(), win::SRCCOPY);
  SetStretchBltMode(previous);
}

}  // namespace cl
