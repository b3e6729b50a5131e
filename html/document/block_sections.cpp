#include "html/document/block_sections.h"

#include <algorithm>
#include <string>

#include "html/document/colors.h"
#include "html/document/indent_manager.h"
#include "html/document/section_list.h"
#include "html/document/selection_sinks.h"
#include "platform/core/ansi_case.h"
#include "platform/core/mul_div.h"
#include "platform/gui/canvas.h"

namespace html {

namespace {

int32_t DefaultFontSize(const TSectionList* document) { return document ? document->FontSizeSlot : 12; }

int32_t Scaled(int32_t n, const TSectionList* document) { return win::MulDiv(n, DefaultFontSize(document), 12); }

void LineBreakToSink(TSectionList* document) {
  if (document && document->SelectionSink) AddTextCR(*document->SelectionSink, "", 0);
}

bool PrintingMonochrome(const TSectionList* document, const cl::TCanvas& canvas) {
  return document && document->IsPrintCopy && canvas.BitsPerPixel() == 1 && canvas.Planes() == 1;
}

bool WhiteBackground(const TSectionList* document) {
  if (!document) return false;
  if (document->IsPrintCopy) return true;
  const cl::TColor background = document->BackgroundColor & ~cl::PaletteRelative;
  if ((background & 0xFFFFFF) == cl::clWhite && !cl::IsSystemColor(background)) return true;
  return background == cl::clWindow && (win::GetSysColor(5) & 0xFFFFFF) == cl::clWhite;
}

}  // namespace

std::unique_ptr<TSectionBase> TPage::Clone(TSectionList* master) const {
  return std::make_unique<TPage>(master, *this);
}

int32_t TPage::Draw(cl::TCanvas&, const cl::TRect& clip, IndentManager&, int32_t, int32_t y) {
  PlacedY = y;
  if (Document && Document->IsPrintCopy) {
    const int32_t onPage = y - Document->ScrollY;
    if (onPage > clip.Top + 5 && onPage < clip.Bottom && onPage < Document->PageLimitY)
      Document->PageLimitY = onPage;
  }
  return y;
}

std::unique_ptr<TSectionBase> TParagraphSpace::Clone(TSectionList* master) const {
  return std::make_unique<TParagraphSpace>(master, *this);
}

void TParagraphSpace::CopySelection() { LineBreakToSink(Document); }

void TParagraphSpace::ResizeToFont() { FlowHeight = Scaled(14, Document); }

THeadingSpace::THeadingSpace(int32_t level) : Level(std::clamp(level, 0, 6)) {}

THeadingSpace::THeadingSpace(TSectionList* master, const THeadingSpace& source)
    : TSectionBase(master, source), Level(source.Level) {}

std::unique_ptr<TSectionBase> THeadingSpace::Clone(TSectionList* master) const {
  return std::make_unique<THeadingSpace>(master, *this);
}

void THeadingSpace::CopySelection() { LineBreakToSink(Document); }

void THeadingSpace::ResizeToFont() {
  int32_t n = 8;
  switch (Level) {
    case 1: n = 16; break;
    case 2: n = 12; break;
    case 3: n = 10; break;
    case 5:
    case 6: n = 4; break;
    default: break;
  }
  FlowHeight = Scaled(n, Document);
}

THorzLine::THorzLine(const TAttributeList& attributes) {
  for (const auto& a : attributes) {
    switch (a->Code) {
      case AlignSy: {
        const std::string align = cl::AnsiLowerCase(a->StrValue);
        if (align == "left")
          RuleAlign = 1;
        else if (align == "right")
          RuleAlign = 3;
        break;
      }
      case WidthSy:
        if (a->IntValue > 0) {
          if (a->StrValue.find('%') == std::string::npos) {
            RuleWidth = std::min(a->IntValue, 32000);
          } else {
            // A share above 100 leaves the full width but still marks a percentage.
            if (a->IntValue <= 100) RuleWidth = a->IntValue;
            WidthIsPercent = true;
          }
        }
        break;
      case SizeSy:
        if (a->IntValue >= 1 && a->IntValue <= 20) RuleSize = a->IntValue;
        break;
      case ColorSy: {
        std::string value = a->StrValue;
        if (const auto colour = ColorFromString(value)) {
          RuleColor = *colour;
          HasColor = true;
        }
        break;
      }
      case NoShadeSy: NoShade = true; break;
      default: break;
    }
  }
}

THorzLine::THorzLine(TSectionList* master, const THorzLine& source)
    : TSectionBase(master, source),
      RuleSize(source.RuleSize),
      RuleWidth(source.RuleWidth),
      WidthIsPercent(source.WidthIsPercent),
      RuleColor(source.RuleColor),
      RuleAlign(source.RuleAlign),
      NoShade(source.NoShade),
      HasColor(source.HasColor) {}

std::unique_ptr<TSectionBase> THorzLine::Clone(TSectionList* master) const {
  return std::make_unique<THorzLine>(master, *this);
}

void THorzLine::CopySelection() { LineBreakToSink(Document); }

TLayoutResult THorzLine::Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) {
  PlacedY = y;
  return TSectionBase::Layout(canvas, y, indents, curs);
}

void THorzLine::ResizeToFont() { FlowHeight = Scaled(20, Document) + RuleSize - 2; }

int32_t THorzLine::Draw(cl::TCanvas& canvas, const cl::TRect& clip, IndentManager& indents, int32_t x, int32_t y) {
  const int32_t result = TSectionBase::Draw(canvas, clip, indents, x, y);
  const int32_t scroll = Document ? Document->ScrollY : 0;
  const bool printing = Document && Document->IsPrintCopy;
  if (y + FlowHeight - scroll < clip.Top || y - scroll >= clip.Bottom) return result;
  if (printing && y - scroll >= Document->PageLimitY) return result;

  const int32_t lineY = y + (FlowHeight - RuleSize) / 2;
  const int32_t top = lineY - scroll;
  int32_t left = indents.LeftAt(lineY);
  int32_t right = indents.RightAt(lineY);
  if (RuleWidth < 0) {
    left += 10;
    right -= 10;
  } else {
    const int32_t w = WidthIsPercent ? win::MulDiv(right - left, RuleWidth, 100) : RuleWidth;
    if (RuleAlign == 2)
      left += (right - left - w) / 2;
    else if (RuleAlign == 3)
      left = right - w;
    right = left + w;
  }
  if (right <= left) return result;

  if (HasColor) {
    canvas.FillRect(cl::TRect{left, top, right, top + RuleSize}, RuleColor | cl::PaletteRelative);
    return result;
  }
  const bool mono = NoShade || PrintingMonochrome(Document, canvas);
  const cl::TColor topLeft = mono ? cl::clBlack : cl::clBtnShadow;
  const cl::TColor bottomRight = mono ? cl::clBlack : (WhiteBackground(Document) ? cl::clSilver : cl::clBtnHighlight);
  const int32_t bottom = top + RuleSize - 1;
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(topLeft);
  canvas.MoveTo(right - 1, top);
  canvas.LineTo(left, top);
  canvas.LineTo(left, bottom + 1);
  canvas.Pen().SetColor(bottomRight);
  canvas.MoveTo(left + 1, bottom);
  canvas.LineTo(right - 1, bottom);
  canvas.LineTo(right - 1, top);
  return result;
}

}  // namespace html
