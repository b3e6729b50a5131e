#pragma once

#include <cstdint>
#include <memory>

#include "html/document/attributes.h"
#include "html/document/section_base.h"
#include "platform/gui/colors.h"

namespace html {

// Sections without text of their own: the page-break marker, the vertical
// space of paragraphs and headings, and the horizontal rule. Their heights
// scale with the document's default font size (12 points = the base size).

// Ends a printed page where it stands; no height, draws nothing on screen.
class TPage : public TSectionBase {
 public:
  TPage() = default;
  TPage(TSectionList* master, const TPage& source) : TSectionBase(master, source) {}

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  int32_t Draw(cl::TCanvas& canvas, const cl::TRect& clip, IndentManager& indents, int32_t x, int32_t y) override;
};

// The space between paragraphs: 14 pixels at 12 points.
class TParagraphSpace : public TSectionBase {
 public:
  TParagraphSpace() = default;
  TParagraphSpace(TSectionList* master, const TParagraphSpace& source) : TSectionBase(master, source) {}

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  void CopySelection() override;
  void ResizeToFont() override;
};

// The space around a heading of level 0 to 6.
class THeadingSpace : public TSectionBase {
 public:
  explicit THeadingSpace(int32_t level);
  THeadingSpace(TSectionList* master, const THeadingSpace& source);

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  void CopySelection() override;
  void ResizeToFont() override;

  int32_t Level = 0;
};

// A horizontal rule (HR).
class THorzLine : public TSectionBase {
 public:
  explicit THorzLine(const TAttributeList& attributes);
  THorzLine(TSectionList* master, const THorzLine& source);

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  void CopySelection() override;
  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) override;
  int32_t Draw(cl::TCanvas& canvas, const cl::TRect& clip, IndentManager& indents, int32_t x, int32_t y) override;
  void ResizeToFont() override;

  int32_t RuleSize = 2;    // thickness, 1 to 20
  int32_t RuleWidth = -1;  // pixels or percent; -1 the full width
  bool WidthIsPercent = false;
  cl::TColor RuleColor = 0;  // when HasColor
  uint8_t RuleAlign = 2;     // 1 left, 2 centre, 3 right
  bool NoShade = false;
  bool HasColor = false;
};

}  // namespace html
