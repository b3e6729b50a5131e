#include "html/viewer/viewer_defaults.h"

namespace html {

template <class Value>
void TViewerDefaultsProperties::Offer(TViewerDefault changed, Value TViewerDefaults::*field, const Value& value) {
  TViewerDefaults offered = defaults_;
  offered.*field = value;
  OfferDefault(changed, offered);
}

void TViewerDefaultsProperties::SetDefBackground(cl::TColor color) {
  Offer(TViewerDefault::Background, &TViewerDefaults::Background, color);
}

void TViewerDefaultsProperties::SetDefFontColor(cl::TColor color) {
  Offer(TViewerDefault::FontColor, &TViewerDefaults::FontColor, color);
}

void TViewerDefaultsProperties::SetDefHotSpotColor(cl::TColor color) {
  Offer(TViewerDefault::HotSpotColor, &TViewerDefaults::HotSpotColor, color);
}

void TViewerDefaultsProperties::SetDefFontSize(int32_t size) {
  Offer(TViewerDefault::FontSize, &TViewerDefaults::FontSize, size);
}

void TViewerDefaultsProperties::SetDefFontName(const std::string& name) {
  Offer(TViewerDefault::FontName, &TViewerDefaults::FontName, name);
}

void TViewerDefaultsProperties::SetDefPreFontName(const std::string& name) {
  Offer(TViewerDefault::PreFontName, &TViewerDefaults::PreFontName, name);
}

void TViewerDefaultsProperties::SetDefault(TViewerDefault which, const TViewerDefaults& from) {
  switch (which) {
    case TViewerDefault::Background: SetDefBackground(from.Background); break;
    case TViewerDefault::FontColor: SetDefFontColor(from.FontColor); break;
    case TViewerDefault::HotSpotColor: SetDefHotSpotColor(from.HotSpotColor); break;
    case TViewerDefault::FontSize: SetDefFontSize(from.FontSize); break;
    case TViewerDefault::FontName: SetDefFontName(from.FontName); break;
    case TViewerDefault::PreFontName: SetDefPreFontName(from.PreFontName); break;
  }
}

void TViewerDefaultsProperties::SetDefaults(const TViewerDefaults& defaults) {
  for (const TViewerDefault which : {TViewerDefault::Background, TViewerDefault::FontColor,
                                     TViewerDefault::HotSpotColor, TViewerDefault::FontSize,
                                     TViewerDefault::FontName, TViewerDefault::PreFontName})
    SetDefault(which, defaults);
}

}  // namespace html
