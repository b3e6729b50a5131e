#include "html/frames/frame_sizes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>

#include "platform/core/mul_div.h"

namespace html {

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Digits beyond 20 are dropped; a number too large for 32 bits saturates
// instead of failing the document, since the codes are clamped anyway.
std::int32_t SaturatedNumber(std::string_view digits) {
  std::int64_t value = 0;
  for (const char ch : digits) {
    value = value * 10 + (ch - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::vector<std::int32_t> ParseFrameSizeList(std::string_view text) {
  std::vector<std::int32_t> codes;
  std::size_t pos = 0;
  // The end of the text acts as a final separator, so there is always one
  // more entry than there are commas.
  while (codes.size() < MaxFrameCodes) {
    while (pos < text.size() && !IsDigit(text[pos]) && text[pos] != '*' && text[pos] != ',') ++pos;
    std::int32_t code = -1;
    if (pos < text.size() && IsDigit(text[pos])) {
      const std::size_t start = pos;
      while (pos < text.size() && IsDigit(text[pos])) ++pos;
      const std::int32_t n = std::max(1, SaturatedNumber(text.substr(start, std::min<std::size_t>(pos - start, 20))));
      while (pos < text.size() && text[pos] != '*' && text[pos] != '%' && text[pos] != ',') ++pos;
      if (pos < text.size() && text[pos] == '*') {
        code = -std::min(99, n);
      } else if (pos < text.size() && text[pos] == '%') {
        code = -(std::min(900, n) + 100);
      } else {
        code = std::min(n, 5000);
      }
    }
    codes.push_back(code);
    while (pos < text.size() && text[pos] != ',') ++pos;
    if (pos >= text.size()) break;
    ++pos;  // the comma
  }
  return codes;
}

TFrameDimensions ParseFrameDimensions(const TAttributeList& attributes) {
  TFrameDimensions dimensions;
  if (const TAttribute* rows = FindAttribute(attributes, RowsSy)) {
    dimensions.SplitRows = true;
    dimensions.SizeCodes = ParseFrameSizeList(rows->StrValue);
  }
  if (const TAttribute* cols = FindAttribute(attributes, ColsSy); cols && dimensions.SizeCodes.size() <= 1) {
    dimensions.SplitRows = false;
    dimensions.SizeCodes = ParseFrameSizeList(cols->StrValue);
  }
  for (const auto& attribute : attributes) {
    if (attribute->Code == BorderSy || attribute->Code == FrameBorderSy) dimensions.FrameBorder = attribute->IntValue;
  }
  return dimensions;
}

std::int32_t BevelInsetFor(std::int32_t frameBorder) { return std::max(2 - frameBorder, 0); }

std::vector<std::int32_t> CalcFrameSizes(const std::vector<std::int32_t>& sizeCodes, std::int32_t extent) {
  extent = std::max(extent, 0);
  std::int64_t fixed = 0;
  std::int32_t percent = 0;
  std::int32_t weights = 0;
  for (const std::int32_t code : sizeCodes) {
    if (IsPixelCode(code)) fixed += code;
    else if (IsPercentCode(code)) percent += -code - 100;
    else if (IsWeightCode(code)) weights += -code;
  }
  std::vector<std::int32_t> sizes;
  sizes.reserve(sizeCodes.size());
  const std::int64_t free = extent - fixed;
  if (free > 0) {
    const std::int32_t percentPixels =
        static_cast<std::int32_t>(std::min<std::int64_t>(win::MulDiv(extent, percent, 100), free));
    const std::int32_t unit =
        weights == 0 ? 0 : static_cast<std::int32_t>((free - percentPixels) / weights);
    for (const std::int32_t code : sizeCodes) {
      if (IsPixelCode(code)) sizes.push_back(code);
      else if (IsPercentCode(code)) sizes.push_back(win::MulDiv(-code - 100, percentPixels, percent));
      else sizes.push_back(-code * unit);
    }
  } else {
    for (const std::int32_t code : sizeCodes) {
      sizes.push_back(IsPixelCode(code) ? win::MulDiv(code, extent, static_cast<std::int32_t>(fixed)) : 0);
    }
  }
  return sizes;
}

std::vector<std::int32_t> PlaceFrameBorders(const std::vector<std::int32_t>& pixelSizes,
                                            std::int32_t innerExtent) {
  innerExtent = std::max(innerExtent, 0);
  const std::int64_t total = std::accumulate(pixelSizes.begin(), pixelSizes.end(), std::int64_t{0});
  std::vector<std::int32_t> borders{0};
  std::int32_t end = 0;
  for (const std::int32_t size : pixelSizes) {
    if (total > 0 && total <= std::numeric_limits<std::int32_t>::max())
      end += std::max(0, win::MulDiv(size, innerExtent, static_cast<std::int32_t>(total)));
    borders.push_back(end);
  }
  return borders;
}

std::vector<std::int32_t> SizesFromBorders(const std::vector<std::int32_t>& borders, std::int32_t sizeTotal) {
  std::vector<std::int32_t> sizes;
  if (borders.size() < 2) return sizes;
  const std::int32_t last = borders.back();
  for (std::size_t i = 0; i + 1 < borders.size(); ++i) {
    sizes.push_back(last > 0 ? std::max(0, win::MulDiv(borders[i + 1] - borders[i], sizeTotal, last)) : 0);
  }
  return sizes;
}

TNearestBorder FindNearestBorder(const std::vector<std::int32_t>& borders, std::int32_t coordinate) {
  TNearestBorder nearest;
  if (borders.size() < 3) return nearest;
  const std::size_t count = borders.size() - 1;
  for (std::size_t i = 1; i < count; ++i) {
    const std::int32_t distance = std::abs(coordinate - borders[i]);
    if (distance < nearest.Distance || (distance == nearest.Distance && coordinate >= borders[i])) {
      nearest.Index = static_cast<int>(i);
      nearest.Distance = distance;
    }
  }
  return nearest;
}

void MoveBorder(std::vector<std::int32_t>& borders, int index, std::int32_t coordinate) {
  if (index <= 0 || static_cast<std::size_t>(index) + 1 >= borders.size()) return;
  const std::int32_t low = borders[index - 1] + 1;
  const std::int32_t high = borders[index + 1] - 1;
  borders[index] = low > high ? borders[index] : std::clamp(coordinate, low, high);
}

std::vector<bool> BlockedBordersFor(const std::vector<bool>& fixedChildren) {
  std::vector<bool> blocked(fixedChildren.size() + 1, false);
  for (std::size_t i = 0; i < fixedChildren.size(); ++i) {
    if (fixedChildren[i]) blocked[i] = blocked[i + 1] = true;
  }
  return blocked;
}

}  // namespace html
