#include "html/document/cell.h"

#include <algorithm>

#include "html/document/process_error.h"
#include "html/document/section_list.h"
#include "html/document/text_section.h"

namespace html {

TCell::TCell(TSectionList* master) : Root(master), Indents(std::make_unique<IndentManager>()) {}

TCell::TCell(TSectionList* master, const TCell& source)
    : Root(master), FontSizeSlot(source.FontSizeSlot), Indents(std::make_unique<IndentManager>()) {
  AddCopiesOf(source);
}

void TCell::AddCopiesOf(const TCell& source) {
  for (const auto& section : source) AddSection(section->Clone(Root));
}

TCell::~TCell() = default;

void TCell::AddSection(std::unique_ptr<TSectionBase> section) {
  if (!section) return;
  if (auto* text = dynamic_cast<TSection*>(section.get())) {
    if (text->Preformatted() && text->PosCount == 0) text->AppendText(" ");
    if (Root) text->ShareFonts(Root->SharedFonts);
  }
  TSectionBase* added = section.get();
  Add(std::move(section));
  added->SetParent(Root);
}

void TCell::RefreshAllFonts() {
  for (const auto& section : *this) section->RefreshFonts();
}

std::optional<TCell::TSectionAt> TCell::SectionAtY(int32_t y) const {
  int32_t bandTop = 0;
  for (int i = 0; i < Count(); ++i) {
    TSectionBase* section = Items(i);
    if (y >= bandTop && y < bandTop + section->FlowHeight) return TSectionAt{section, bandTop, i};
    bandTop += section->FlowHeight;
  }
  return std::nullopt;
}

void TCell::SectionFailed(TSectionBase& section, const std::string& message) {
  section.Dropped = true;
  if (Root) Root->ReportProcessError(message);
}

TLayoutResult TCell::Layout(cl::TCanvas& canvas, int32_t y, int32_t curs, int32_t width) {
  Indents->Clear();
  Indents->Reset(0, width);
  Indents->LayoutWidth = width;
  CellTop = y;
  FirstPos = curs;
  int32_t h = 0;
  int32_t maxWidth = 0;
  for (const auto& section : *this) {
    if (!section->Dropped) {
      try {
        // Anchors scroll to PlacedY, whatever the section's own layout does.
        section->PlacedY = y + h;
        const TLayoutResult laid = section->Layout(canvas, y + h, *Indents, curs);
        h += laid.Height;
        maxWidth = std::max(maxWidth, laid.MaxWidth);
        curs = laid.NextCurs;
        continue;
      } catch (const EProcessError& error) {
        SectionFailed(*section, error.Message());
      }
    }
    // A dropped section owns no height and no positions.
    section->FirstPos = curs;
    section->PosCount = 0;
    section->FlowHeight = section->PaintHeight = 0;
    section->PlacedY = y + h;
  }
  PosCount = curs - FirstPos;
  return {std::max(h, Indents->FloatBottom() - y), maxWidth, curs};
}

TWidths TCell::MeasureWidths(cl::TCanvas& canvas) {
  TWidths widths;
  for (const auto& section : *this) {
    if (section->Dropped) continue;
    const TWidths measured = section->MeasureWidths(canvas);
    widths.Min = std::max(widths.Min, measured.Min);
    widths.Max = std::max(widths.Max, measured.Max);
  }
  return widths;
}

int32_t TCell::Draw(cl::TCanvas& canvas, const cl::TRect& clip, int32_t x, int32_t y, int32_t clipWidth) {
  Indents->Reset(x, x + Indents->LayoutWidth);
  Indents->PaintClipWidth = clipWidth;
  for (const auto& section : *this) {
    if (section->Dropped) {
      section->PlacedY = y;
      continue;
    }
    y = section->Draw(canvas, clip, *Indents, x, y);
  }
  return y;
}

std::optional<TLinkHit> TCell::LinkAt(cl::TCanvas& canvas, int32_t x, int32_t y) {
  int32_t top = 0;
  for (const auto& section : *this) {
    if (y >= top && y < top + section->PaintHeight && !section->Dropped)
      if (auto hit = section->LinkAt(canvas, x, y - top)) return hit;
    top += section->FlowHeight;
  }
  return std::nullopt;
}

std::optional<TObjectHit> TCell::ObjectAtXY(int32_t x, int32_t y) {
  int32_t top = 0;
  for (const auto& section : *this) {
    if (y >= top && y < top + section->PaintHeight && !section->Dropped) {
      if (auto hit = section->ObjectAt(x, y - top)) return hit;
    }
    top += section->FlowHeight;
  }
  return std::nullopt;
}

std::optional<TCaretPlace> TCell::CaretAtXY(cl::TCanvas& canvas, int32_t x, int32_t y) {
  const auto at = SectionAtY(y);
  if (!at || at->Section->Dropped) return std::nullopt;
  auto place = at->Section->CaretAt(canvas, x, y - at->Top);
  if (!place) return std::nullopt;
  place->LineY += at->Top;
  // A nested cell has named itself already.
  if (!place->Cell) place->Cell = this;
  return place;
}

int32_t TCell::SearchText(int32_t from, std::string_view text, bool matchCase) {
  for (const auto& section : *this) {
    if (section->Dropped) continue;
    const int32_t found = section->Search(from, text, matchCase);
    if (found >= 0) return found;
  }
  return -1;
}

std::optional<TTextPoint> TCell::PositionToXY(cl::TCanvas& canvas, int32_t position) {
  for (const auto& section : *this)
    if (!section->Dropped)
      if (auto point = section->PositionToXY(canvas, position)) return point;
  return std::nullopt;
}

std::optional<TCharHit> TCell::CharAt(int32_t position) {
  if (position < FirstPos || position > FirstPos + PosCount) return std::nullopt;
  for (const auto& section : *this)
    if (!section->Dropped)
      if (auto hit = section->CharAt(position)) return hit;
  return std::nullopt;
}

void TCell::CopySelection() {
  if (!Root || Root->SelFrom >= Root->SelTo) return;
  for (const auto& section : *this) {
    if (section->FirstPos >= Root->SelTo) break;
    if (!section->Dropped && Root->SelFrom < section->FirstPos + section->PosCount) section->CopySelection();
  }
}

}  // namespace html
