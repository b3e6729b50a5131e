#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "html/document/table.h"
#include "html/parse/html_parser_impl.h"
#include "platform/core/ansi_case.h"

namespace html {

namespace {

const SymbolSet TableTerminators =
    Symbols({TableEndSy, TDSy, TDEndSy, TRSy, TREndSy, THSy, THEndSy, CaptionSy, CaptionEndSy});

uint8_t VAlignOf(const std::string& value, uint8_t otherwise) {
  const std::string v = cl::AnsiLowerCase(value);
  if (v == "top" || v == "baseline") return 0;
  if (v == "middle") return 1;
  if (v == "bottom") return 2;
  return otherwise;
}

}  // namespace

void THtmlParser::DoTable(int32_t level) {
  if (Nested()) {
    Tok.Next();
    return;
  }
  ++depth_;
  struct TDepth {
    int& d;
    ~TDepth() { --d; }
  } depthGuard{depth_};
  EndLink();
  const int fontTop = fonts_.Count();
  // End tags inside the table leave the fonts in force where it starts.
  struct TFloor {
    TFontStack& fonts;
    int previous;
    ~TFloor() { fonts.SetFloor(previous); }
  } floor{fonts_, fonts_.SetFloor(fontTop)};
  TCell* const parent = &Cell();
  const Justification savedAlignment = currentAlignment_;
  const cl::TFontStyles savedStyles = styles_;
  EndSection();
  currentCell_ = nullptr;
  auto table = std::make_unique<ThtmlTable>(&document_, level, parent, savedAlignment, Clamped(Attrs()));
  std::unique_ptr<TCellList> row;
  std::unique_ptr<TCellObj> cell;
  std::optional<Justification> rowAlign;
  uint8_t rowVAlign = 1;

  auto finishCell = [&] {
    if (!cell) return;
    EndSection();
    if (!row) row = std::make_unique<TCellList>();
    row->Add(std::move(cell));
    currentCell_ = nullptr;
  };
  auto addRow = [&] {
    if (row) table->Rows.push_back(std::move(row));
  };
  auto backToTable = [&] {
    EndLink();
    fonts_.PopTo(fontTop);
    styles_ = savedStyles;
  };
  // Also when an exception ends the parse: the table joins its cell, so
  // anchors and controls inside it stay valid.
  auto finish = [&] {
    finishCell();
    currentCell_ = parent;
    EndSection();
    addRow();
    parent->AddSection(std::move(table));
    styles_ = savedStyles;
    currentAlignment_ = savedAlignment;
  };
  try {
    Tok.Next();
    while (Sym() != TableEndSy && Sym() != EofSy) {
      const HtmlSymbol sym = Sym();
      switch (sym) {
        case TextSy: {
          // Text outside the cells goes before the table.
          TCell* const saved = currentCell_;
          currentCell_ = parent;
          DoBody(0, TableTerminators);
          EndSection();
          currentCell_ = saved;
          break;
        }
        case TDSy:
        case THSy: {
          backToTable();
          if (row)
            finishCell();
          else
            row = std::make_unique<TCellList>();
          if (sym == THSy) {
            currentAlignment_ = rowAlign.value_or(Justification::Center);
            styles_ |= cl::fsBold;
          } else {
            currentAlignment_ = rowAlign.value_or(Justification::Left);
            styles_ &= ~cl::fsBold;
          }
          if (const TAttribute* align = FindAttribute(Attrs(), AlignSy))
            currentAlignment_ = AlignmentOf(align->StrValue).value_or(currentAlignment_);
          uint8_t vAlign = rowVAlign;
          if (const TAttribute* v = FindAttribute(Attrs(), VAlignSy)) vAlign = VAlignOf(v->StrValue, rowVAlign);
          cell = std::make_unique<TCellObj>(&document_, Clamped(Attrs()), vAlign);
          currentCell_ = cell->Cell.get();
          Tok.SkipWhiteSpace();
          Tok.Next();
          Tok.ParagraphSpaceAdded = true;
          DoBody(0, TableTerminators);
          break;
        }
        case TDEndSy:
        case THEndSy:
          finishCell();
          Tok.Next();
          break;
        case TRSy: {
          EndLink();
          if (row) {
            finishCell();
            addRow();
          }
          row = std::make_unique<TCellList>();
          row->ReadAttributes(Attrs());
          const TAttribute* align = FindAttribute(Attrs(), AlignSy);
          rowAlign = align ? AlignmentOf(align->StrValue) : std::nullopt;
          const TAttribute* v = FindAttribute(Attrs(), VAlignSy);
          rowVAlign = v ? VAlignOf(v->StrValue, 1) : 1;
          Tok.Next();
          break;
        }
        case TREndSy:
          EndLink();
          if (row) {
            finishCell();
            addRow();
          }
          Tok.Next();
          break;
        case CaptionSy:
          backToTable();
          finishCell();
          if (const TAttribute* align = FindAttribute(Attrs(), AlignSy))
            table->CaptionOnTop = cl::AnsiLowerCase(align->StrValue) != "bottom";
          currentCell_ = table->Caption->Cell.get();
          currentAlignment_ = Justification::Center;
          Tok.Next();
          DoBody(0, TableTerminators);
          EndSection();
          currentCell_ = nullptr;
          if (Sym() == CaptionEndSy) Tok.Next();
          break;
        default: Tok.Next(); break;
      }
    }
    backToTable();
  } catch (...) {
    try {
      finish();
    } catch (...) {
    }
    throw;
  }
  finish();
  Tok.Next();
}

}  // namespace html
