#include "html/document/font_table.h"

#include <algorithm>
#include <functional>
#include <string>

namespace html {

namespace {

std::size_t Mix(std::size_t seed, std::size_t value) {
  return seed ^ (value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2));
}

std::size_t FontHash(const TMyFont& font) {
  std::size_t h = std::hash<std::string>()(font.Name());
  h = Mix(h, static_cast<std::size_t>(static_cast<uint32_t>(font.Height())));
  h = Mix(h, static_cast<std::size_t>(static_cast<uint32_t>(font.Color())));
  h = Mix(h, static_cast<std::size_t>(font.Style()) | static_cast<std::size_t>(font.Charset()) << 8 |
                 static_cast<std::size_t>(font.UsesPreFont) << 16 | static_cast<std::size_t>(font.OwnColor) << 17 |
                 static_cast<std::size_t>(font.OwnName) << 18);
  return Mix(h, static_cast<std::size_t>(static_cast<uint32_t>(font.RelSize)));
}

}  // namespace

bool SameFont(const TMyFont& a, const TMyFont& b) {
  return a.Height() == b.Height() && a.Color() == b.Color() && a.Style() == b.Style() &&
         a.Charset() == b.Charset() && a.RelSize == b.RelSize && a.UsesPreFont == b.UsesPreFont &&
         a.OwnColor == b.OwnColor && a.OwnName == b.OwnName && a.Name() == b.Name();
}

FontRef FontTable::Find(const TMyFont& font, std::size_t hash) const {
  const auto [first, last] = fonts_.equal_range(hash);
  for (auto it = first; it != last; ++it)
    if (SameFont(*it->second, font)) return it->second;
  return nullptr;
}

void FontTable::Add(const FontRef& font, std::size_t hash) {
  if (fonts_.size() >= pruneAt_) {
    std::erase_if(fonts_, [](const auto& entry) { return entry.second.use_count() == 1; });
    pruneAt_ = std::max(MinPruneSize, 2 * fonts_.size());
  }
  fonts_.emplace(hash, font);
}

FontRef FontTable::Share(const TMyFont& font) {
  const std::size_t hash = FontHash(font);
  if (FontRef known = Find(font, hash)) return known;
  FontRef made = CopyFont(font);
  Add(made, hash);
  return made;
}

FontRef FontTable::Share(const FontRef& font) {
  const std::size_t hash = FontHash(*font);
  if (FontRef known = Find(*font, hash)) return known;
  Add(font, hash);
  return font;
}

void FontTable::Clear() {
  fonts_.clear();
  pruneAt_ = MinPruneSize;
}

}  // namespace html
