#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/gui/font.h"

namespace html {

class TSectionList;

// A document font: its size is relative to the document's default size, so
// that changing the defaults re-derives it without parsing again.
class TMyFont : public cl::TFont {
 public:
  // Copies RelSize, UsesPreFont and the own flags too when the source is a TMyFont.
  void Assign(const cl::TFont& source) override;
  // Point size := MulDiv(document default size, n, 12).
  void SetRelSize(const TSectionList& document, int32_t n);
  // Charset and size from the document; name from the document and colour
  // as given (palette-relative), each unless the text set its own.
  void UpdateFont(const TSectionList& document, cl::TColor colour);
  // A colour or face the text asked for itself (FONT COLOR, FACE...): it
  // stays when the defaults change.
  void SetOwnColor(cl::TColor colour);
  void SetOwnName(const std::string& name);

  int32_t RelSize = 12;      // the size when the document default is 12 points
  bool UsesPreFont = false;  // takes the preformatted font name
  bool OwnColor = false;     // the colour is the text's own, not a default
  bool OwnName = false;      // the face is the text's own, not a default
};

// A font description shared by everything that uses it. It never changes
// once made: a change makes a changed copy (ChangedFont).
using FontRef = std::shared_ptr<const TMyFont>;

// A description of its own holding a copy of font.
FontRef CopyFont(const TMyFont& font);
// The document's shared description of font re-derived from its defaults
// with colour (TMyFont::UpdateFont).
FontRef UpdatedFont(const TMyFont& font, const TSectionList& document, cl::TColor colour);

// A new description: a copy of font with change (a callable taking TMyFont&) applied.
template <typename Change>
FontRef ChangedFont(const TMyFont& font, Change&& change) {
  auto copy = std::make_shared<TMyFont>();
  copy->Assign(font);
  std::forward<Change>(change)(*copy);
  return copy;
}

}  // namespace html
