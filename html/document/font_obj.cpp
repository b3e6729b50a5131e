#include "html/document/font_obj.h"

#include "html/document/section_list.h"

namespace html {

TFontObj::TFontObj(const TMyFont& font, int32_t position) : StartPos(position) {
  RunFont->Assign(font);
  Hook();
  FontChanged();
}

TFontObj::TFontObj(const TFontObj& source) : StartPos(source.StartPos), ScriptMode(source.ScriptMode) {
  RunFont->Assign(*source.RunFont);
  Link->Url = source.Link->Url;
  Link->Target = source.Link->Target;
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
  RunFont->UpdateFont(document, Link->Url.empty() ? document.DefaultTextColor : document.DefaultLinkColor);
}

}  // namespace html
