#pragma once

#include <cstdint>
#include <memory>

#include "html/document/embedded.h"
#include "html/document/my_font.h"
#include "html/document/on_demand.h"
#include "html/document/url_target.h"

namespace html {

class TSectionList;

// One font run of a section: the font from StartPos on, the link the run
// belongs to, and its metrics, measured again on every change of the font.
// The font lives inside the run and a link is made only for a run that has
// one: a long document has many runs.
class TFontObj {
 public:
  // The run's font becomes a copy of font.
  TFontObj(const TMyFont& font, int32_t position);
  TFontObj(std::unique_ptr<TMyFont> font, int32_t position) : TFontObj(*font, position) {}
  explicit TFontObj(const TFontObj& source);
  TFontObj& operator=(const TFontObj&) = delete;

  void FontChanged();
  // Link colour for a run with a URL, else the text colour.
  void UpdateFont(const TSectionList& document);

  int32_t StartPos = 0;
  Embedded<TMyFont> RunFont;
  int32_t LineHeight = 0;  // height + external leading
  int32_t FontHeight = 0;
  int32_t Overhang = 0;
  int32_t Descent = 0;
  uint8_t ScriptMode = 0;  // 0 normal, 1 subscript, 2 superscript
  OnDemand<TUrlTarget> Link;

 private:
  void Hook();
};

}  // namespace html
