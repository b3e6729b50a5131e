#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "html/document/preformated.h"

namespace html {

// Several lines of plain text in one section. Each line is laid out, drawn,
// hit, searched and copied as a preformatted section holding only that line
// would be, with the same text positions; a text file of a million lines then
// costs a few bytes a line instead of a section each.
class TPreFormatedLines : public TPreFormated {
 public:
  // Level 0, left aligned, no link.
  explicit TPreFormatedLines(const TMyFont& font, cl::TFontStyles extraStyle = 0)
      : TPreFormated(0, Justification::Left, nullptr, font, extraStyle) {}
  TPreFormatedLines(TSectionList* master, const TPreFormatedLines& source)
      : TPreFormated(master, source), lineStarts_(source.lineStarts_), padded_(source.padded_) {}

  // Ends the current line and starts the next. Until text comes, the new
  // line holds the one space an empty preformatted section gets.
  void NewLine();
  void AppendText(std::string_view s) override;
  int LineCount() const { return static_cast<int>(lineStarts_.size()) + 1; }
  std::string_view Line(int index) const;

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  // A match never runs from one line into the next.
  int32_t Search(int32_t from, std::string_view text, bool matchCase) override;
  // The widest line.
  TWidths MeasureWidths(cl::TCanvas& canvas) override;

 protected:
  int32_t LineLimit(int32_t start) const override;

 private:
  int32_t LineStart(int index) const { return index == 0 ? 0 : lineStarts_[static_cast<size_t>(index) - 1]; }
  int32_t LineEnd(int index) const {
    return static_cast<size_t>(index) < lineStarts_.size() ? lineStarts_[static_cast<size_t>(index)] : PosCount;
  }

  std::vector<int32_t> lineStarts_;  // where each line after the first starts
  bool padded_ = false;              // the last line holds only its stand-in space
};

}  // namespace html
