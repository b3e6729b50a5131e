#include "html/document/font_list.h"

#include <algorithm>

namespace html {

TFontList::TFontList(const TFontList& source) {
  for (const auto& run : source) Add(std::make_unique<TFontObj>(*run));
}

void TFontList::UpdateFonts(const TSectionList& document) {
  for (const auto& run : *this) run->UpdateFont(document);
}

int TFontList::IndexAt(int32_t pos) const {
  // The last run with StartPos <= pos; when every run starts after pos, the
  // first (a section's first run starts at 0, so that happens only below 0).
  const auto it = std::upper_bound(begin(), end(), pos, [](int32_t p, const auto& run) { return p < run->StartPos; });
  const int index = static_cast<int>(it - begin()) - 1;
  return index < 0 ? 0 : index;
}

TFontObj* TFontList::GetFontObjAt(int32_t pos, int& index) const {
  if (Count() == 0) {
    index = -1;
    return nullptr;
  }
  index = IndexAt(pos);
  return Items(index);
}

const TMyFont* TFontList::GetFontAt(int32_t pos, int32_t& overhang) const {
  TFontObj* run = GetFontObjAt(pos);
  overhang = run ? run->Overhang : 0;
  return run ? run->RunFont.get() : nullptr;
}

int32_t TFontList::GetFontCountAt(int32_t pos, int32_t len) const {
  const auto it = std::upper_bound(begin(), end(), pos, [](int32_t p, const auto& run) { return p < run->StartPos; });
  return it == end() ? len - pos : (*it)->StartPos - pos;
}

}  // namespace html
