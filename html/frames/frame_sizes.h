#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "html/document/attributes.h"

namespace html {

// Size codes of a frame set's children, one per child: 1 to 5000 pixels;
// -1 to -99 a relative weight N ("N*", code -N); -101 to -1000 a percentage
// N ("N%", code -(N + 100)).
constexpr int MaxFrameCodes = 20;

constexpr bool IsPixelCode(std::int32_t code) { return code > 0; }
constexpr bool IsWeightCode(std::int32_t code) { return code < 0 && code >= -99; }
constexpr bool IsPercentCode(std::int32_t code) { return code <= -101; }

// One ROWS or COLS list, at most MaxFrameCodes entries.
std::vector<std::int32_t> ParseFrameSizeList(std::string_view text);

// What a FRAMESET tag says about its layout.
struct TFrameDimensions {
  bool SplitRows = false;               // children stacked vertically
  std::vector<std::int32_t> SizeCodes;  // from ROWS, or from COLS when ROWS gave at most one
  std::optional<std::int32_t> FrameBorder;  // BORDER or FRAMEBORDER, the last one written
};
TFrameDimensions ParseFrameDimensions(const TAttributeList& attributes);

// The inner inset of a top set around its children for a border width.
std::int32_t BevelInsetFor(std::int32_t frameBorder);

// Pixel sizes of the children along an extent (height for rows, width for
// columns). A negative extent counts as 0.
std::vector<std::int32_t> CalcFrameSizes(const std::vector<std::int32_t>& sizeCodes, std::int32_t extent);

// Scales the computed sizes to the inner extent the children are placed in.
// Entry 0 is 0, entry i + 1 the end of child i (relative to the inner
// origin). A zero size total places every child with extent 0.
std::vector<std::int32_t> PlaceFrameBorders(const std::vector<std::int32_t>& pixelSizes,
                                            std::int32_t innerExtent);

// Sizes again from dragged border positions, keeping their sum. A zero last
// border gives sizes of 0.
std::vector<std::int32_t> SizesFromBorders(const std::vector<std::int32_t>& borders,
                                           std::int32_t sizeTotal);

// The border among 1 to count - 1 nearest to coordinate; a later border wins
// a tie when the point lies at or after it. Border 0 when there is none.
struct TNearestBorder {
  int Index = 0;
  std::int32_t Distance = 9999;
};
TNearestBorder FindNearestBorder(const std::vector<std::int32_t>& borders, std::int32_t coordinate);

// A border may be dragged when the mouse is within this many pixels of it.
constexpr std::int32_t BorderGrabDistance = 4;

// Moves border index to coordinate, kept at least one pixel inside its
// neighbours (the band the mouse was confined to while dragging).
void MoveBorder(std::vector<std::int32_t>& borders, int index, std::int32_t coordinate);

// Borders next to fixed-size children: child i blocks borders i and i + 1.
std::vector<bool> BlockedBordersFor(const std::vector<bool>& fixedChildren);

}  // namespace html
