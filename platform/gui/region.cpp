#include "platform/gui/region.h"

#include <QPolygon>
#include <QRegion>

#include "platform/gui/gdi_constants.h"
#include "platform/gui/region_impl.h"

namespace win {

Region::Region() : impl_(std::make_unique<Impl>()) {}
Region::~Region() = default;
Region::Region(const Region& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}
Region& Region::operator=(const Region& other) {
  if (this != &other) *impl_ = *other.impl_;
  return *this;
}
Region::Region(Region&& other) noexcept : impl_(std::make_unique<Impl>()) { std::swap(impl_, other.impl_); }
Region& Region::operator=(Region&& other) noexcept {
  std::swap(impl_, other.impl_);
  return *this;
}

bool Region::IsEmpty() const { return impl_->region.isEmpty(); }
bool Region::Contains(int32_t x, int32_t y) const { return impl_->region.contains(QPoint(x, y)); }
cl::TRect Region::Box() const {
  const QRect box = impl_->region.boundingRect();
  if (box.isEmpty()) return {};
  return {box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
}

Region CreateRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Region region;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (right > left && bottom > top) region.impl().region = QRegion(left, top, right - left, bottom - top);
  return region;
}

Region CreateEllipticRgn(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Region region;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (right > left && bottom > top)
    region.impl().region = QRegion(left, top, right - left, bottom - top, QRegion::Ellipse);
  return region;
}

Region CreatePolygonRgn(const std::vector<cl::TPoint>& points, int fillMode) {
  Region region;
  if (points.size() < 3) return region;
  QPolygon polygon;
  for (const auto& p : points) polygon << QPoint(p.X, p.Y);
  region.impl().region = QRegion(polygon, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  return region;
}

Region CombineRgn(const Region& a, const Region& b, int mode) {
  Region result;
  const QRegion& ra = a.impl().region;
  const QRegion& rb = b.impl().region;
  switch (mode) {
    case RGN_AND: result.impl().region = ra.intersected(rb); break;
    case RGN_OR: result.impl().region = ra.united(rb); break;
    case RGN_XOR: result.impl().region = ra.xored(rb); break;
    case RGN_DIFF: result.impl().region = ra.subtracted(rb); break;
    default: result.impl().region = ra; break;
  }
  return result;
}

}  // namespace win
