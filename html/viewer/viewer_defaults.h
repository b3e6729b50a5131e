#pragma once

#include <cstdint>
#include <string>

#include "platform/gui/colors.h"

namespace html {

// What a viewer draws a document with where the document names nothing: read
// from a viewer and pushed into one, a frame set's inner viewers too, whole.
struct TViewerDefaults {
  cl::TColor Background = 0;
  cl::TColor FontColor = 0;
  cl::TColor HotSpotColor = 0;
  int32_t FontSize = 12;
  std::string FontName;
  std::string PreFontName;
};

}  // namespace html
