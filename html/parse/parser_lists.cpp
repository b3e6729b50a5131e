#include <cstdint>
#include <string>

#include "html/parse/html_parser_impl.h"
#include "html/parse/parser_blocks.h"

namespace html {

namespace {

const SymbolSet ListEnds = Symbols({OLEndSy, ULEndSy, DirEndSy, MenuEndSy, DLEndSy, BlockQuoteEndSy});

}  // namespace

void THtmlParser::DoLists(int32_t level, HtmlSymbol listSymbol, const SymbolSet& terminators) {
  ++depth_;
  struct TDepth {
    int& d;
    ~TDepth() { --d; }
  } depthGuard{depth_};
  int32_t counter = 1;
  char type = '1';
  bool plain = false;
  if (listSymbol == OLSy) {
    if (const TAttribute* start = FindAttribute(Attrs(), StartSy)) {
      const std::string text = TrimBlanks(start->StrValue);
      if (!text.empty() && text.find_first_not_of("+0123456789") == std::string::npos && start->IntValue >= 0)
        counter = start->IntValue;
    }
    if (const TAttribute* t = FindAttribute(Attrs(), TypeSy); t && !t->StrValue.empty()) type = t->StrValue[0];
  } else if (listSymbol == ULSy) {
    plain = FindAttribute(Attrs(), PlainSy) != nullptr;
  }
  EndSection();
  Tok.Next();
  if (ListEnds.test(Sym())) return;
  int32_t itemLevel = level;
  SymbolSet inner = terminators | ListEnds;
  while (!ListEnds.test(Sym()) && Sym() != EofSy) {
    const HtmlSymbol sym = Sym();
    if (ContentSymbols.test(sym) && sym != TableSy) {
      DoCommonElements(itemLevel);
      continue;
    }
    if (DoBlockElement(level, terminators)) continue;
    switch (sym) {
      case LISy:
        EndSection();
        if (listSymbol == OLSy) {
          section_ = NewOrderedItem(level, Link(), fonts_.Top(), styles_, type, counter);
          if (counter < INT32_MAX) ++counter;
        } else {
          section_ = NewBulletItem(level, Link(), fonts_.Top(), styles_, plain);
        }
        scriptState_ = 0;
        Tok.SkipWhiteSpace();
        Tok.Next();
        if (Sym() == PSy) Tok.Next();
        itemLevel = level;
        break;
      case DDSy:
      case DTSy:
        EndSection();
        itemLevel = sym == DDSy ? level : level - 1;
        section_ = NewDefinitionItem(itemLevel, Link(), fonts_.Top(), styles_);
        scriptState_ = 0;
        Tok.Next();
        break;
      case CenterSy:
      case DivSy: DoDivision(itemLevel, inner); break;
      case TableSy:
        if (section_) section_->PadIfEmpty();
        DoTable(itemLevel);
        break;
      default:
        if (terminators.test(sym)) return;
        Tok.Next();
        break;
    }
  }
  EndSection();
}

}  // namespace html
