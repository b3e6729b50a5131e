#pragma once

#include <cstdint>
#include <string>

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

}  // namespace html
