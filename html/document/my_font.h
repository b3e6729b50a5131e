#pragma once

#include <cstdint>

#include "platform/gui/font.h"

namespace html {

class TSectionList;

// A document font: its size is relative to the document's default size, so
// that changing the defaults re-derives it without parsing again.
class TMyFont : public cl::TFont {
 public:
  // Copies RelSize and UsesPreFont too when the source is a TMyFont.
  void Assign(const cl::TFont& source) override;
  // Point size := MulDiv(document default size, n, 12).
  void SetRelSize(const TSectionList& document, int32_t n);
  // Name, charset and size from the document; colour as given (palette-relative).
  void UpdateFont(const TSectionList& document, cl::TColor colour);

  int32_t RelSize = 12;      // the size when the document default is 12 points
  bool UsesPreFont = false;  // takes the preformatted font name
};

}  // namespace html
