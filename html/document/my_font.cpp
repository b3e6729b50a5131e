#include "html/document/my_font.h"

#include "html/document/section_list.h"
#include "platform/core/mul_div.h"

namespace html {

void TMyFont::Assign(const cl::TFont& source) {
  if (const auto* font = dynamic_cast<const TMyFont*>(&source)) {
    RelSize = font->RelSize;
    UsesPreFont = font->UsesPreFont;
  }
  cl::TFont::Assign(source);
}

void TMyFont::SetRelSize(const TSectionList& document, int32_t n) {
  RelSize = n;
  SetSize(win::MulDiv(document.FontSizeSlot, n, 12));
}

void TMyFont::UpdateFont(const TSectionList& document, cl::TColor colour) {
  SetName(UsesPreFont ? document.DefaultPreFontName : document.DefaultFontName);
  SetCharset(document.FontCharset);
  SetSize(win::MulDiv(document.FontSizeSlot, RelSize, 12));
  SetColor(colour | cl::PaletteRelative);
}

}  // namespace html
