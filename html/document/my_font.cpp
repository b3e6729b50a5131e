#include "html/document/my_font.h"

#include "html/document/section_list.h"
#include "platform/core/mul_div.h"

namespace html {

void TMyFont::Assign(const cl::TFont& source) {
  if (const auto* font = dynamic_cast<const TMyFont*>(&source)) {
    RelSize = font->RelSize;
    UsesPreFont = font->UsesPreFont;
    OwnColor = font->OwnColor;
    OwnName = font->OwnName;
  }
  cl::TFont::Assign(source);
}

void TMyFont::SetRelSize(const TSectionList& document, int32_t n) {
  RelSize = n;
  SetSize(win::MulDiv(document.FontSizeSlot, n, 12));
}

void TMyFont::UpdateFont(const TSectionList& document, cl::TColor colour) {
  if (!OwnName) SetName(UsesPreFont ? document.DefaultPreFontName : document.DefaultFontName);
  SetCharset(document.FontCharset);
  SetSize(win::MulDiv(document.FontSizeSlot, RelSize, 12));
  if (!OwnColor) SetColor(colour | cl::PaletteRelative);
}

FontRef CopyFont(const TMyFont& font) {
  auto copy = std::make_shared<TMyFont>();
  copy->Assign(font);
  return copy;
}

FontRef UpdatedFont(const TMyFont& font, const TSectionList& document, cl::TColor colour) {
  TMyFont updated;
  updated.Assign(font);
  updated.UpdateFont(document, colour);
  return document.SharedFonts.Share(updated);
}

void TMyFont::SetOwnColor(cl::TColor colour) {
  OwnColor = true;
  SetColor(colour);
}

void TMyFont::SetOwnName(const std::string& name) {
  OwnName = true;
  SetName(name);
}

}  // namespace html
