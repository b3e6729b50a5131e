#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "html/document/attributes.h"
#include "html/document/url_target.h"
#include "platform/core/object.h"
#include "platform/core/string_list.h"

namespace html {

// The region of one image-map area, in image pixels, with Windows' region
// rules: a rectangle includes its corners as written, a circle every pixel
// whose centre lies within radius + 1/2, a polygon is filled by winding.
class TMapRegion : public cl::TObject {
 public:
  enum class Shape { Rectangle, Circle, Polygon };
  TMapRegion(Shape shape, std::vector<std::int32_t> coords) : shape_(shape), coords_(std::move(coords)) {}
  bool Contains(std::int32_t x, std::int32_t y) const;

 private:
  Shape shape_;
  std::vector<std::int32_t> coords_;
};

// One <MAP>: its areas in the order added.
class TMapItem : public cl::TObject {
 public:
  TMapItem();

  // Adds the area an AREA tag's attributes describe; one with too few
  // coordinates for its shape is not added.
  void AddArea(const TAttributeList& attributes);
  // The link of the first area under the point; nullopt when there is none or
  // that area has no URL (NOHREF).
  std::optional<TUrlTarget> HitTest(std::int32_t x, std::int32_t y) const;

  std::string MapId;          // NAME, upper-cased; empty when absent
  cl::TStringList RegionUrls;  // an area's URL, its TMapRegion as object (owned)
  cl::TStringList RegionTargets;
};

}  // namespace html
