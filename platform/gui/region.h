#pragma once

#include <memory>
#include <vector>

#include "platform/gui/geometry.h"

namespace win {

// A region value (Windows' HRGN): the pixels it holds follow Windows' rules,
// so a rectangle region holds neither its right nor its bottom edge.
class Region {
 public:
  Region();
  ~Region();
  Region(const Region& other);
  Region& operator=(const Region& other);
  Region(Region&&) noexcept;
  Region& operator=(Region&&) noexcept;

  bool IsEmpty() const;
  bool Contains(int32_t x, int32_t y) const;  // PtInRegion
  cl::TRect Box() const;                      // GetRgnBox
  struct Impl;
  const Impl& impl() const { return *impl_; }
  Impl& impl() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

Region CreateRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom);
Region CreateEllipticRgn(int32_t left, int32_t top, int32_t right, int32_t bottom);
// fillMode ALTERNATE or WINDING.
Region CreatePolygonRgn(const std::vector<cl::TPoint>& points, int fillMode);
// RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF (a without b), RGN_COPY (a).
Region CombineRgn(const Region& a, const Region& b, int mode);

}  // namespace win
