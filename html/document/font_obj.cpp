#include "html/document/font_obj.h"

#include <utility>

#include "html/document/section_list.h"

namespace html {

TFontObj::TFontObj(FontRef font, int32_t position) : StartPos(position), RunFont(std::move(font)) {
  FontChanged();
}

TFontObj::TFontObj(const TFontObj& source)
    : StartPos(source.StartPos), RunFont(source.RunFont), ScriptMode(source.ScriptMode) {
  const TUrlTarget& link = *std::as_const(source.Link);
  if (!link.Url.empty() || !link.Target.empty()) Link->Assign(link.Url, link.Target);
  FontChanged();
}

void TFontObj::SetFont(FontRef font) {
  if (font == RunFont) return;
  RunFont = std::move(font);
  FontChanged();
}

void TFontObj::FontChanged() {
  const cl::TTextMetric m = RunFont->Metrics();
  FontHeight = m.tmHeight;
  LineHeight = m.tmHeight + m.tmExternalLeading;
  Descent = m.tmDescent;
  Overhang = m.tmOverhang;
}

void TFontObj::UpdateFont(const TSectionList& document) {
  const cl::TColor colour = std::as_const(Link)->Url.empty() ? document.DefaultTextColor : document.DefaultLinkColor;
  SetFont(UpdatedFont(*RunFont, document, colour));
}

}  // namespace html
