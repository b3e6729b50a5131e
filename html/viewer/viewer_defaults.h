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

// Any viewer's defaults, through its six getters and setters; the setters
// run in this order.
template <class Viewer>
TViewerDefaults DefaultsOf(const Viewer& viewer) {
  return {viewer.DefBackground(), viewer.DefFontColor(), viewer.DefHotSpotColor(),
          viewer.DefFontSize(),   viewer.DefFontName(),  viewer.DefPreFontName()};
}

template <class Viewer>
void PushDefaults(Viewer& viewer, const TViewerDefaults& defaults) {
  viewer.SetDefBackground(defaults.Background);
  viewer.SetDefFontColor(defaults.FontColor);
  viewer.SetDefHotSpotColor(defaults.HotSpotColor);
  viewer.SetDefFontSize(defaults.FontSize);
  viewer.SetDefFontName(defaults.FontName);
  viewer.SetDefPreFontName(defaults.PreFontName);
}

}  // namespace html
