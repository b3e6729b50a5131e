#include "html/document/map_item.h"

#include <memory>

#include "html/document/html_common.h"

namespace html {

namespace {

std::string LowerAscii(std::string text) {
  for (auto& ch : text)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  return text;
}

// Numbers up to the next comma each; stops at an empty piece or after 201.
std::vector<std::int32_t> ParseCoords(const std::string& text) {
  std::vector<std::int32_t> numbers;
  std::size_t at = 0;
  while (numbers.size() < 201 && at <= text.size()) {
    const std::size_t comma = text.find(',', at);
    const std::size_t end = comma == std::string::npos ? text.size() : comma;
    const std::string piece = TrimBlanks(std::string_view(text).substr(at, std::min<std::size_t>(end - at, 20)));
    if (piece.empty()) break;
    numbers.push_back(IntValueOf(piece));
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  return numbers;
}

std::uint64_t Distance(std::int32_t a, std::int32_t b) {
  const std::int64_t d = std::int64_t{a} - b;
  return static_cast<std::uint64_t>(d < 0 ? -d : d);
}

}  // namespace

bool TMapRegion::Contains(std::int32_t x, std::int32_t y) const {
  const auto& c = coords_;
  switch (shape_) {
    case Shape::Rectangle:
      return x >= c[0] && x <= c[2] && y >= c[1] && y <= c[3];
    case Shape::Circle: {
      // dx² + dy² <= (r + 1/2)², i.e. <= r² + r in integers. Document
      // coordinates may be anything: the quick rejection keeps the squares
      // inside 64 bits.
      const std::uint64_t dx = Distance(x, c[0]), dy = Distance(y, c[1]);
      const std::uint64_t ar = Distance(c[2], 0);
      if (dx > ar + 1 || dy > ar + 1) return false;
      const std::uint64_t bound = c[2] >= 0 ? ar * ar + ar : ar * ar - ar;
      return dx * dx + dy * dy <= bound;
    }
    case Shape::Polygon: {
      // Winding number at the pixel's centre; coordinates doubled to stay integral.
      const std::int64_t px = 2 * std::int64_t{x} + 1, py = 2 * std::int64_t{y} + 1;
      const std::size_t n = c.size() / 2;
      int winding = 0;
      for (std::size_t i = 0; i < n; ++i) {
        const std::int64_t x1 = 2 * std::int64_t{c[2 * i]}, y1 = 2 * std::int64_t{c[2 * i + 1]};
        const std::size_t j = (i + 1) % n;
        const std::int64_t x2 = 2 * std::int64_t{c[2 * j]}, y2 = 2 * std::int64_t{c[2 * j + 1]};
        // Differences reach 2^33, so their products need more than 64 bits.
        using Wide = __int128;
        const Wide side = Wide{x2 - x1} * (py - y1) - Wide{px - x1} * (y2 - y1);
        if (y1 <= py && y2 > py && side > 0) ++winding;
        else if (y1 > py && y2 <= py && side < 0) --winding;
      }
      return winding != 0;
    }
  }
  return false;
}

TMapItem::TMapItem() : RegionUrls(true) {}

void TMapItem::AddArea(const TAttributeList& attributes) {
  std::string url, target, coordsText;
  auto shape = TMapRegion::Shape::Rectangle;
  for (const auto& attribute : attributes) {
    switch (attribute->Code) {
      case HrefSy: url = attribute->StrValue; break;
      case NoHrefSy: url.clear(); break;
      case TargetSy: target = attribute->StrValue; break;
      case CoordsSy: coordsText = attribute->StrValue; break;
      case ShapeSy: {
        const std::string kind = LowerAscii(attribute->StrValue.substr(0, 4));
        shape = kind == "circ" ? TMapRegion::Shape::Circle
                : kind == "poly" ? TMapRegion::Shape::Polygon
                                 : TMapRegion::Shape::Rectangle;
        break;
      }
      default: break;
    }
  }
  auto coords = ParseCoords(coordsText);
  const std::size_t needed = shape == TMapRegion::Shape::Rectangle ? 4
                             : shape == TMapRegion::Shape::Circle  ? 3
                                                                   : 6;
  if (coords.size() < needed) return;
  auto region = std::make_unique<TMapRegion>(shape, std::move(coords));
  RegionUrls.AddObject(url, region.get());
  region.release();  // the list owns it now
  RegionTargets.Add(target);
}

std::optional<TUrlTarget> TMapItem::HitTest(std::int32_t x, std::int32_t y) const {
  for (int i = 0; i < RegionUrls.Count(); ++i) {
    const auto* region = static_cast<const TMapRegion*>(RegionUrls.Objects(i));
    if (!region->Contains(x, y)) continue;
    if (RegionUrls[i].empty()) return std::nullopt;
    return TUrlTarget(RegionUrls[i], RegionTargets[i]);
  }
  return std::nullopt;
}

}  // namespace html
