#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "html/document/my_font.h"
#include "html/document/on_demand.h"
#include "html/document/url_target.h"

namespace html {

class TSectionList;

// One font run of a section: the font from StartPos on, the link the run
// belongs to, and its metrics, measured again whenever the run gets another
// font. The font is a shared description (one for all the runs of a
// document that look alike), and a link is made only for a run that has
// one: a long document has many runs.
class TFontObj {
 public:
  TFontObj(FontRef font, int32_t position);
  // The run's font becomes a copy of font.
  TFontObj(const TMyFont& font, int32_t position) : TFontObj(CopyFont(font), position) {}
  TFontObj(const std::unique_ptr<TMyFont>& font, int32_t position) : TFontObj(*font, position) {}
  // Shares the source's font.
  explicit TFontObj(const TFontObj& source);
  TFontObj& operator=(const TFontObj&) = delete;

  // Another font for the run, measured; nothing when it is the same one.
  void SetFont(FontRef font);
  // The run's font with change (a callable taking TMyFont&) applied.
  template <typename Change>
  void ChangeFont(Change&& change) {
    SetFont(ChangedFont(*RunFont, std::forward<Change>(change)));
  }
  // An equal font from the document's table, so that the run shares it.
  void ShareFont(FontRef font) { RunFont = std::move(font); }
  void FontChanged();
  // Link colour for a run with a URL, else the text colour.
  void UpdateFont(const TSectionList& document);

  int32_t StartPos = 0;
  FontRef RunFont;
  int32_t LineHeight = 0;  // height + external leading
  int32_t FontHeight = 0;
  int32_t Overhang = 0;
  int32_t Descent = 0;
  uint8_t ScriptMode = 0;  // 0 normal, 1 subscript, 2 superscript
  OnDemand<TUrlTarget> Link;
};

}  // namespace html
