#include "html/document/font_obj.h"

#include <utility>

#include "html/document/section_list.h"

namespace html {

TFontObj::TFontObj(const TMyFont& font, int32_t position) : StartPos(position) {
  RunFont->Assign(font);
  Hook();
  FontChanged();
}

TFontObj::TFontObj(const TFontObj& source) : StartPos(source.StartPos), ScriptMode(source.ScriptMode) {
  RunFont->Assign(*source.RunFont);
  const TUrlTarget& link = *std::as_const(source.Link);
  if (!link.Url.empty() || !link.Target.empty()) Link->Assign(link.Url, link.Target);
  Hook();
  FontChanged();
}

void TFontObj::Hook() {
  RunFont->OnChange = [this] { FontChanged(); };
}

void TFontObj::FontChanged() {
  const cl::TTextMetric m = RunFont->Metrics();
  FontHeight = m.tmHeight;
  LineHeight = m.tmHeight + m.tmExternalLeading;
  Descent = m.tmDescent;
  Overhang = m.tmOverhang;
}

void TFontObj::UpdateFont(const TSectionList& document) {
  RunFont->UpdateFont(document,
                      std::as_const(Link)->Url.empty() ? document.DefaultTextColor : document.DefaultLinkColor);
}

}  // namespace html
