#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "html/document/text_section.h"

namespace html {

// One unwrapped line of preformatted text (PRE). Its spaces are kept as
// written and its lines never break.
class TPreFormated : public TSection {
 public:
  // A table never needs more than this much of the line as its minimum.
  static constexpr int32_t MaxMinWidth = 500;

  // As a text section; the parser passes justify 1.
  TPreFormated(int32_t level, Justification justify, const TUrlTarget* link, const TMyFont& font,
               cl::TFontStyles extraStyle = 0)
      : TSection(level, justify, link, font, extraStyle) {}
  TPreFormated(TSectionList* master, const TPreFormated& source) : TSection(master, source) {}

  void AppendText(std::string_view s) override;
  bool Preformatted() const override { return true; }

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) override;
  TWidths MeasureWidths(cl::TCanvas& canvas) override;
};

}  // namespace html
