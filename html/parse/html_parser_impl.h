#pragma once

// The parser's own declarations, shared by its files (parser_core.cpp,
// parser_lists.cpp, parser_tables.cpp, parser_pre.cpp, parser_forms.cpp).
// Nothing outside html/parse includes this; callers use html_parser.h.

#include <bitset>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "html/document/html_common.h"
#include "html/document/justification.h"
#include "html/document/section_list.h"
#include "html/document/text_section.h"
#include "html/document/url_target.h"
#include "html/forms/form_control_builder.h"
#include "html/parse/font_stack.h"
#include "html/parse/html_parser.h"
#include "html/parse/html_tokenizer.h"

namespace html {

using SymbolSet = std::bitset<256>;

inline SymbolSet Symbols(std::initializer_list<HtmlSymbol> symbols) {
  SymbolSet set;
  for (const HtmlSymbol s : symbols) set.set(s);
  return set;
}

// The elements of running content, handled by DoCommonElements.
extern const SymbolSet ContentSymbols;
// The tags that open a nested list (BLOCKQUOTE indents like one).
extern const SymbolSet ListStarts;

// Attribute values that sizes are summed from: bounded where they are read,
// so no sum over a table or a line can overflow and no span can make the
// grid huge.
TAttributeList Clamped(const TAttributeList& attributes);
std::optional<Justification> AlignmentOf(const std::string& value);

class THtmlParser {
 public:
  THtmlParser(TSectionList& document, cl::TStrings& nameList, const THtmlParseOptions& options,
              THtmlParseResult& result);
  ~THtmlParser();
  THtmlParser(const THtmlParser&) = delete;
  THtmlParser& operator=(const THtmlParser&) = delete;

  void ParseHtml();
  void ParsePlainText();

  THtmlTokenizer Tok;

 private:
  HtmlSymbol Sym() const { return Tok.CurrentSymbol(); }
  const TAttributeList& Attrs() const { return Tok.AttributeList(); }
  TCell& Cell() { return currentCell_ ? *currentCell_ : static_cast<TCell&>(document_); }

  void DoBody(int32_t level, const SymbolSet& terminators);
  void DoBodyTag();
  void DoDivision(int32_t level, const SymbolSet& terminators);
  void DoCommonElements(int32_t level);
  // A rule or a nested list, which end the running text wherever they
  // stand; false for any other tag.
  bool DoBlockElement(int32_t level, const SymbolSet& terminators);
  // How the inline elements reach the text being filled: Flush hands over
  // characters read but not yet added before a font or link changes, Ensure
  // gives a section to add an image, control or anchor name to.
  struct TInlineTarget {
    bool InPre = false;
    std::function<void()> Flush;
    std::function<void()> Ensure;
  };
  // The elements running and preformatted text both take (styles, fonts,
  // images, anchors, form controls, forms, maps, scripts); false for any
  // other tag. The token is not advanced past the tag.
  bool DoInlineElement(HtmlSymbol sym, const TInlineTarget& target);
  void DoParagraph(int32_t level);
  void DoLists(int32_t level, HtmlSymbol listSymbol, const SymbolSet& terminators);
  void DoTable(int32_t level);
  void DoPre(int32_t level);
  // Appends the current character at column to pending; returns the column after it.
  int32_t AppendPreChar(std::string& pending, int32_t column) const;
  bool DoFont(HtmlSymbol symbol, bool inPre);
  bool ChangeSize(HtmlSymbol symbol);
  void DoAnchor();
  void EndLink();
  TFormControlObj* AddFormControl(HtmlSymbol code);
  void DoForm();
  void DoSelect(TFormControlObj* control);
  void DoTextArea(TFormControlObj* control);
  // Reads the areas up to the closing MAP, where it stops.
  void DoMap();
  void DoScript();
  void DoTitle();
  void DoBase();
  void DoSound();
  void DoMeta();
  bool SetStyle(HtmlSymbol symbol);

  void EndSection();
  void NewSection(int32_t level, Justification alignment);
  void EnsureSection(int32_t level) {
    if (!section_) NewSection(level, currentAlignment_);
  }
  void ChangeFont();
  // The end tag of pusher's kind; the font changes when the top went.
  void PopFont(HtmlSymbol pusher) {
    const TMyFont* before = &fonts_.Top();
    fonts_.Pop(pusher);
    if (&fonts_.Top() != before) ChangeFont();
  }
  Justification FindAlignment() const;
  const TUrlTarget* Link() const { return inLink_ ? &url_ : nullptr; }
  bool Nested() const { return depth_ >= MaxNestingDepth; }

  TSectionList& document_;
  cl::TStrings& nameList_;
  const THtmlParseOptions& options_;
  THtmlParseResult& result_;
  TFormControlBuilder defaultControls_;
  TFormControlBuilder& controls_;

  TFontStack fonts_;
  TUrlTarget url_;
  bool inLink_ = false;
  bool ownLinkColor_ = false;  // BODY LINK gave the link colour
  TCell* currentCell_ = nullptr;
  std::unique_ptr<TSection> section_;
  Justification currentAlignment_ = Justification::Left;
  int32_t baseFontSize_ = 3;
  cl::TFontStyles styles_ = 0;
  uint8_t scriptState_ = 0;
  ThtmlForm* currentForm_ = nullptr;
  int depth_ = 0;
};

}  // namespace html
