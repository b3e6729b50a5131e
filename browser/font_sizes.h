#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace brw {

// Stepping the viewer's text size to the next size a face really has, for
// the larger- and smaller-font buttons. Heights are pixels, sizes points.

// The 18 point sizes of a scalable face (6 to 72) as pixel heights at the
// given resolution, ascending.
std::vector<std::int32_t> ScalableFontHeights(std::int32_t pixelsPerInch);

// The height step places (+1 larger, -1 smaller) from height within the
// face's heights (any order). A height the face lacks first goes to the
// nearest height above it (larger) or below it (smaller); beyond either
// end the height stays as it is.
std::int32_t StepFontHeight(std::span<const std::int32_t> heights, std::int32_t height, std::int32_t step);

// The point size after stepping size by step within the face's heights, the
// heights taken at pixelsPerInch.
std::int32_t NextFontSize(std::span<const std::int32_t> heights, std::int32_t size, std::int32_t step,
                          std::int32_t pixelsPerInch);

// The heights a face has on the display: its own for a bitmap face, the 18
// sizes for a scalable one, none for a face that is not installed.
std::vector<std::int32_t> GetFontHeights(std::string_view faceName, std::int32_t pixelsPerInch);

// NextFontSize on the screen's resolution within the face's heights.
std::int32_t NextFontSize(std::string_view faceName, std::int32_t size, std::int32_t step);

}  // namespace brw
