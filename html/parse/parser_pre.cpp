#include <cstdint>
#include <memory>
#include <string>

#include "html/document/preformated_lines.h"
#include "html/parse/html_parser_impl.h"
#include "html/parse/parser_blocks.h"

namespace html {

namespace {

constexpr size_t PrePieceLimit = 200;
// A section of plain text takes lines until it holds this many, or this many
// characters: small enough that finding a line in it stays quick and its
// measures (eight bytes a character while it is drawn) stay small.
constexpr int PlainTextSectionLines = 64;
constexpr int32_t PlainTextSectionChars = 16384;

}  // namespace

void THtmlParser::ParsePlainText() {
  // Plain text is taken as it stands: no tags, entities or comments. Its
  // lines share sections, a few dozen a section and never a line split.
  EndSection();
  fonts_.Push(PreSy);
  SetPreFont(document_, fonts_.Top());
  Tok.InPre = true;
  TPreFormatedLines* lines = nullptr;
  auto newSection = [&] {
    auto made = std::make_unique<TPreFormatedLines>(fonts_.Top(), styles_);
    lines = made.get();
    section_ = std::move(made);
  };
  newSection();
  std::string pending;
  int32_t column = 0;
  auto flush = [&] {
    if (!pending.empty()) lines->AppendText(pending);
    pending.clear();
  };
  Tok.GetChBasic();
  while (Tok.CurrentChar() != 26) {
    if (Tok.CurrentChar() == '\r') {
      flush();
      if (lines->LineCount() < PlainTextSectionLines && lines->PosCount < PlainTextSectionChars) {
        lines->NewLine();
      } else {
        EndSection();
        newSection();
      }
      column = 0;
    } else {
      column = AppendPreChar(pending, column);
      if (pending.size() > PrePieceLimit) flush();
    }
    Tok.GetChBasic();
  }
  flush();
  EndSection();
  Tok.InPre = false;
  fonts_.Pop(PreSy);
}

void THtmlParser::DoPre(int32_t level) {
  EndSection();
  const bool pushed = fonts_.Push(PreSy);
  if (pushed) SetPreFont(document_, fonts_.Top());
  auto newLine = [&] { section_ = NewPreSection(level, Link(), fonts_.Top(), styles_); };
  newLine();
  Tok.InPre = true;
  std::string pending;
  int32_t column = 0;  // text characters since the line start, for tabs
  auto flush = [&] {
    if (!pending.empty()) {
      if (!section_) newLine();
      section_->AppendText(pending);
    }
    pending.clear();
  };
  const TInlineTarget preformatted{true, flush, flush};
  auto appendToken = [&] {
    pending += Tok.TokenText();
    column += static_cast<int32_t>(Tok.TokenText().size());
  };
  bool done = false;
  while (!done) {
    const char c = Tok.CurrentChar();
    if (c == '\r') {
      flush();
      EndSection();
      newLine();
      column = 0;
      Tok.GetCh();
      continue;
    }
    if (c == 26) break;
    if (c == '&') {
      Tok.Next();
      appendToken();
      continue;
    }
    if (c != '<') {
      column = AppendPreChar(pending, column);
      if (pending.size() > PrePieceLimit) flush();
      Tok.GetCh();
      continue;
    }
    Tok.Next();
    const HtmlSymbol sym = Sym();
    if (DoInlineElement(sym, preformatted)) continue;
    switch (sym) {
      case TextSy: appendToken(); break;  // a "<" that starts no tag
      case PSy:
      case BRSy:
        flush();
        EndSection();
        newLine();
        column = 0;
        if (Tok.CurrentChar() == '\r') Tok.GetCh();
        break;
      case PreEndSy:
      case TDEndSy:
      case THEndSy: done = true; break;
      case PageSy:
        flush();
        EndSection();
        Cell().AddSection(NewPage());
        newLine();
        column = 0;
        break;
      default: break;
    }
  }
  flush();
  EndSection();
  Tok.InPre = false;
  if (pushed) fonts_.Pop(PreSy);
  Tok.Next();
}

// The current character of preformatted text; a tab runs to the next
// multiple of eight columns, so tab-aligned columns stay aligned.
int32_t THtmlParser::AppendPreChar(std::string& pending, int32_t column) const {
  constexpr int32_t tabWidth = 8;
  if (Tok.CurrentChar() == ' ' && Tok.CurrentCharIsTab()) {
    const int32_t blanks = tabWidth - column % tabWidth;
    pending.append(static_cast<size_t>(blanks), ' ');
    return column + blanks;
  }
  pending += Tok.CurrentChar();
  return column + 1;
}

}  // namespace html
