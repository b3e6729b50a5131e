#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gui/canvas.h"

namespace html {

// Width in pixels of count characters of text on the canvas.
std::int32_t TextWidthOf(const cl::TCanvas& canvas, const char* text, std::int32_t count);

// Word-wrapped text in the box (ALT text of images): lines of the height of
// "A", each drawn clipped to the box, while they fit.
void DrawWrappedText(cl::TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom, std::string_view text);

// A white box with a 3D frame (printed form controls); black on monochrome devices.
void DrawSunkenBox(cl::TCanvas& canvas, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   bool raised);

// The 3D frame of tables and cells. What the document tells: whether it is
// being printed and its background colour.
struct TBorderDocument {
  bool Printing = false;
  cl::TColor Background = cl::clWindow;
};
void DrawBorder3D(const TBorderDocument& document, cl::TCanvas& canvas, std::int32_t x1, std::int32_t y1,
                  std::int32_t x2, std::int32_t y2, bool raised);

}  // namespace html
