#pragma once

#include <cstdint>
#include <string>
#include <utility>

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

enum class TViewerDefault { Background, FontColor, HotSpotColor, FontSize, FontName, PreFontName };

// The published defaults of a viewer. A setter offers the set with its one
// value changed to the viewer, which decides whether to take it and what it
// changes there.
class TViewerDefaultsProperties {
 public:
  cl::TColor DefBackground() const { return defaults_.Background; }
  void SetDefBackground(cl::TColor color);
  cl::TColor DefFontColor() const { return defaults_.FontColor; }
  void SetDefFontColor(cl::TColor color);
  cl::TColor DefHotSpotColor() const { return defaults_.HotSpotColor; }
  void SetDefHotSpotColor(cl::TColor color);
  int32_t DefFontSize() const { return defaults_.FontSize; }
  void SetDefFontSize(int32_t size);
  const std::string& DefFontName() const { return defaults_.FontName; }
  void SetDefFontName(const std::string& name);
  const std::string& DefPreFontName() const { return defaults_.PreFontName; }
  void SetDefPreFontName(const std::string& name);

  const TViewerDefaults& Defaults() const { return defaults_; }
  // All six, each as its own setter sets it, in the order above.
  void SetDefaults(const TViewerDefaults& defaults);
  // The one value `which` of `from`, through its setter.
  void SetDefault(TViewerDefault which, const TViewerDefaults& from);

 protected:
  explicit TViewerDefaultsProperties(TViewerDefaults initial) : defaults_(std::move(initial)) {}
  virtual ~TViewerDefaultsProperties() = default;

  // `offered` is the current set with `changed` replaced; the viewer stores
  // what it takes into `defaults_`.
  virtual void OfferDefault(TViewerDefault changed, const TViewerDefaults& offered) = 0;

  TViewerDefaults defaults_;

 private:
  template <class Value>
  void Offer(TViewerDefault changed, Value TViewerDefaults::*field, const Value& value);
};

}  // namespace html
