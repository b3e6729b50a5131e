#pragma once

#include <cstddef>
#include <unordered_map>

#include "html/document/my_font.h"

namespace html {

// The distinct fonts of one document. A long document has hundreds of
// thousands of font runs but a few dozen different fonts: runs and sections
// hold one shared description of each instead of a font of their own.
class FontTable {
 public:
  // The description equal to font, made on first need.
  FontRef Share(const TMyFont& font);
  // The known description equal to font's, else font itself, now known.
  FontRef Share(const FontRef& font);
  // Descriptions known, those no longer used included until the next pruning.
  std::size_t Count() const { return fonts_.size(); }
  void Clear();

 private:
  FontRef Find(const TMyFont& font, std::size_t hash) const;
  void Add(const FontRef& font, std::size_t hash);

  std::unordered_multimap<std::size_t, FontRef> fonts_;
  // Descriptions nothing else uses any more are dropped when the table
  // reaches this size: changing the defaults replaces every font, and a
  // document's fonts must not pile up with each change.
  std::size_t pruneAt_ = MinPruneSize;
  static constexpr std::size_t MinPruneSize = 64;
};

// Same name, size, colour, style, charset and document-relative settings.
bool SameFont(const TMyFont& a, const TMyFont& b);

}  // namespace html
