#include "html/document/font_obj.h"

#include "html/document/section_list.h"

namespace html {

TFontObj::TFontObj(std::unique_ptr<TMyFont> font, int32_t position)
    : StartPos(position), RunFont(std::move(font)), Link(std::make_unique<TUrlTarget>()) {
  Hook();
  FontChanged();
}

TFontObj::TFontObj(const TFontObj& source)
    : StartPos(source.StartPos),
      RunFont(std::make_unique<TMyFont>()),
      ScriptMode(source.ScriptMode),
      Link(std::make_unique<TUrlTarget>(source.Link->Url, source.Link->Target)) {
  RunFont->Assign(*source.RunFont);
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
