#include "html/parse/html_parser.h"

#include <algorithm>
#include <atomic>
#include <bitset>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "html/document/colors.h"
#include "html/parse/font_stack.h"
#include "html/forms/form_control_builder.h"
#include "html/document/html_common.h"
#include "html/document/map_item.h"
#include "html/parse/parser_blocks.h"
#include "html/document/section_list.h"
#include "html/document/table.h"
#include "html/document/text_section.h"
#include "platform/core/ansi_case.h"

namespace html {

namespace {

using SymbolSet = std::bitset<256>;

SymbolSet Symbols(std::initializer_list<HtmlSymbol> symbols) {
  SymbolSet set;
  for (const HtmlSymbol s : symbols) set.set(s);
  return set;
}

const SymbolSet ContentSymbols = Symbols({
    PSy, PEndSy, BSy, BEndSy, ISy, IEndSy, BRSy, HSy, HEndSy, EmSy, EmEndSy, StrongSy, StrongEndSy, USy,
    UEndSy, CiteSy, CiteEndSy, VarSy, VarEndSy, TTSy, TTEndSy, CodeSy, CodeEndSy, KbdSy, KbdEndSy, SampSy,
    SampEndSy, AddressSy, AddressEndSy, PreSy, ImageSy, ASy, AEndSy, TextSy, TableSy, InputSy, FormSy,
    FormEndSy, TextAreaSy, TextAreaEndSy, SelectSy, FontSy, FontEndSy, BaseFontSy, SubSy, SubEndSy, SupSy,
    SupEndSy, BigSy, BigEndSy, SmallSy, SmallEndSy, MapSy, PageSy, ScriptSy, SSy, SEndSy, StrikeSy, StrikeEndSy,
});
const SymbolSet ListEnds = Symbols({OLEndSy, ULEndSy, DirEndSy, MenuEndSy, DLEndSy, BlockQuoteEndSy});
const SymbolSet TableTerminators =
    Symbols({TableEndSy, TDSy, TDEndSy, TRSy, TREndSy, THSy, THEndSy, CaptionSy, CaptionEndSy});

constexpr int32_t FontSizes[8] = {0, 8, 10, 12, 14, 18, 24, 36};
constexpr int32_t PreFontSizes[8] = {0, 7, 8, 10, 12, 15, 20, 30};
constexpr int32_t HeadingSizes[7] = {12, 24, 18, 15, 12, 10, 8};

constexpr int32_t MaxSpan = 1000;
constexpr int32_t MaxPixels = 32000;
constexpr size_t PrePieceLimit = 200;

// Attribute values that sizes are summed from: bounded where they are read,
// so no sum over a table or a line can overflow and no span can make the
// grid huge.
TAttributeList Clamped(const TAttributeList& attributes) {
  TAttributeList out;
  for (const auto& a : attributes) {
    int32_t value = a->IntValue;
    switch (a->Code) {
      case ColSpanSy:
      case RowSpanSy: value = std::min(value, MaxSpan); break;
      case WidthSy:
      case HeightSy:
      case BorderSy:
      case MarginWidthSy:
      case MarginHeightSy: value = std::clamp(value, 0, MaxPixels); break;
      // Their sign means something to the table and image (a negative
      // spacing or padding keeps the default, HSPACE counts by its size):
      // only the size is bounded here.
      case CellPaddingSy:
      case CellSpacingSy:
      case HSpaceSy: value = std::clamp(value, -MaxPixels, MaxPixels); break;
      default: break;
    }
    out.Add(std::make_unique<TAttribute>(a->Code, a->StrValue, value));
  }
  return out;
}

uint8_t VAlignOf(const std::string& value, uint8_t otherwise) {
  const std::string v = cl::AnsiLowerCase(value);
  if (v == "top" || v == "baseline") return 0;
  if (v == "middle") return 1;
  if (v == "bottom") return 2;
  return otherwise;
}

uint8_t AlignmentOf(const std::string& value, uint8_t otherwise) {
  const std::string v = cl::AnsiLowerCase(value);
  if (v == "left") return 1;
  if (v == "center") return 2;
  if (v == "right") return 3;
  return otherwise;
}

HtmlSymbol StartOf(HtmlSymbol end) {
  switch (end) {
    case TTEndSy: return TTSy;
    case CodeEndSy: return CodeSy;
    case KbdEndSy: return KbdSy;
    case SampEndSy: return SampSy;
    case FontEndSy: return FontSy;
    case BigEndSy: return BigSy;
    case SmallEndSy: return SmallSy;
    default: return end;
  }
}

std::atomic<bool> parseRunning{false};

// Refuses a parse while another runs: the caller's parse keeps its state.
class TParseGuard {
 public:
  TParseGuard() {
    if (parseRunning.exchange(true)) throw EParserBusy("A document is already being parsed");
  }
  ~TParseGuard() { parseRunning = false; }
  TParseGuard(const TParseGuard&) = delete;
  TParseGuard& operator=(const TParseGuard&) = delete;
};

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
  void DoParagraph(int32_t level);
  void DoLists(int32_t level, HtmlSymbol listSymbol, const SymbolSet& terminators);
  void DoTable(int32_t level);
  void DoPre(int32_t level);
  void AppendPreChar(std::string& pending, int32_t& column) const;
  bool DoFont(HtmlSymbol symbol, bool inPre);
  bool ChangeSize(HtmlSymbol symbol);
  void DoAnchor();
  void EndLink();
  TFormControlObj* AddFormControl(HtmlSymbol code);
  void DoForm();
  void DoSelect(TFormControlObj* control);
  void DoTextArea(TFormControlObj* control);
  void DoMap(bool next);
  void DoScript();
  void DoTitle();
  void DoBase();
  void DoSound();
  void DoMeta();
  bool SetStyle(HtmlSymbol symbol);

  void EndSection();
  void NewSection(int32_t level, uint8_t alignment);
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
  uint8_t FindAlignment() const;
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
  uint8_t currentAlignment_ = 1;
  int32_t baseFontSize_ = 3;
  cl::TFontStyles styles_ = 0;
  uint8_t scriptState_ = 0;
  ThtmlForm* currentForm_ = nullptr;
  int depth_ = 0;
};

std::unique_ptr<TMyFont> BaseFontOf(const TSectionList& document) {
  auto font = std::make_unique<TMyFont>();
  font->UpdateFont(document, document.DefaultTextColor);
  font->SetRelSize(document, 12);
  return font;
}

THtmlParser::THtmlParser(TSectionList& document, cl::TStrings& nameList, const THtmlParseOptions& options,
                         THtmlParseResult& result)
    : document_(document),
      nameList_(nameList),
      options_(options),
      result_(result),
      controls_(options.Controls ? *options.Controls : defaultControls_),
      fonts_(BaseFontOf(document)),
      currentCell_(&document) {
  result_ = THtmlParseResult{};
  Tok.InPre = false;
  Tok.IncludeHandler = options.OnInclude;
  Tok.IncludeSender = options.Sender;
  section_ = std::make_unique<TSection>(0, 1, nullptr, fonts_.Top());
}

THtmlParser::~THtmlParser() {
  // What was built stays in the document, also when an exception ends the parse.
  try {
    EndSection();
  } catch (...) {
  }
  Tok.Close();
}

void THtmlParser::ParseHtml() {
  Tok.Start();
  DoBody(0, SymbolSet());
}

void THtmlParser::ParsePlainText() {
  // Plain text is taken as it stands: no tags, entities or comments.
  EndSection();
  fonts_.Push(PreSy);
  SetPreFont(document_, fonts_.Top());
  Tok.InPre = true;
  section_ = NewPreSection(0, nullptr, fonts_.Top(), styles_);
  std::string pending;
  int32_t column = 0;
  auto flush = [&] {
    if (!pending.empty()) section_->AppendText(pending);
    pending.clear();
  };
  Tok.GetChBasic();
  while (Tok.CurrentChar() != 26) {
    if (Tok.CurrentChar() == '\r') {
      flush();
      EndSection();
      section_ = NewPreSection(0, nullptr, fonts_.Top(), styles_);
      column = 0;
    } else {
      AppendPreChar(pending, column);
      if (pending.size() > PrePieceLimit) flush();
    }
    Tok.GetChBasic();
  }
  flush();
  EndSection();
  Tok.InPre = false;
  fonts_.Pop(PreSy);
}

void THtmlParser::EndSection() {
  if (section_) Cell().AddSection(std::move(section_));
}

void THtmlParser::NewSection(int32_t level, uint8_t alignment) {
  section_ = std::make_unique<TSection>(level, alignment, Link(), fonts_.Top(), styles_);
  scriptState_ = 0;
}

void THtmlParser::ChangeFont() {
  if (section_) section_->ChangeFont(document_, fonts_.Top(), styles_, scriptState_);
}

uint8_t THtmlParser::FindAlignment() const {
  if (Sym() == PSy || Sym() == HSy || Sym() == DivSy)
    if (const TAttribute* align = FindAttribute(Attrs(), AlignSy))
      return AlignmentOf(align->StrValue, currentAlignment_);
  return currentAlignment_;
}

void THtmlParser::DoBody(int32_t level, const SymbolSet& terminators) {
  while (Sym() != EofSy && Sym() != BodyEndSy) {
    const HtmlSymbol sym = Sym();
    if (ContentSymbols.test(sym)) {
      DoCommonElements(level);
      continue;
    }
    switch (sym) {
      case TitleSy: DoTitle(); break;
      case BodySy: DoBodyTag(); break;
      case HRSy:
        EndSection();
        Cell().AddSection(NewHorzLine(Clamped(Attrs())));
        Tok.Next();
        break;
      case BaseSy: DoBase(); break;
      case OLSy:
      case ULSy:
      case DirSy:
      case MenuSy:
      case DLSy:
      case BlockQuoteSy:
        if (Nested()) {
          Tok.Next();
          break;
        }
        EndSection();
        DoLists(level + 1, sym, terminators);
        Tok.Next();
        break;
      case CenterSy:
      case DivSy: DoDivision(level, terminators); break;
      case BgSoundSy: DoSound(); break;
      case MetaSy: DoMeta(); break;
      default:
        if (terminators.test(sym)) return;
        Tok.Next();
        break;
    }
  }
  Tok.Next();
}

void THtmlParser::DoBodyTag() {
  if (Cell().Count() > 0) {
    Tok.Next();
    return;
  }
  // Text before BODY is dropped; anchors that named its section move to the
  // new one, and a section holding images or controls stays with them.
  std::unique_ptr<TSection> before = std::move(section_);
  for (const auto& a : Attrs()) {
    std::string value = a->StrValue;
    switch (a->Code) {
      case TextSy:
        if (const auto colour = ColorFromString(value)) {
          fonts_.Top().SetOwnColor(*colour | cl::PaletteRelative);
          document_.DefaultTextColor = *colour | cl::PaletteRelative;
        }
        break;
      case LinkSy:
        if (const auto colour = ColorFromString(value)) {
          document_.DefaultLinkColor = *colour | cl::PaletteRelative;
          ownLinkColor_ = true;
        }
        break;
      case BGColorSy:
        if (const auto colour = ColorFromString(value)) document_.SetBackgroundColor(*colour | cl::PaletteRelative);
        break;
      case BackgroundSy: document_.SetBackgroundName(a->StrValue); break;
      default: break;
    }
  }
  section_ = std::make_unique<TSection>(0, currentAlignment_, nullptr, fonts_.Top(), styles_);
  scriptState_ = 0;
  if (before) {
    // The names given while it was the open section are the last ones; a
    // scan of the whole list would repeat at every BODY of every cell.
    for (int i = nameList_.Count(); i-- > 0 && nameList_.Objects(i) == before.get();)
      nameList_.PutObject(i, section_.get());
    if (before->Images.Count() > 0 || before->FormControls.Count() > 0) Cell().AddSection(std::move(before));
  }
  Tok.Next();
}

void THtmlParser::DoDivision(int32_t level, const SymbolSet& terminators) {
  if (Nested()) {
    Tok.Next();
    return;
  }
  ++depth_;
  EndSection();
  const uint8_t saved = currentAlignment_;
  if (Sym() == CenterSy)
    currentAlignment_ = 2;
  else if (const TAttribute* align = FindAttribute(Attrs(), AlignSy))
    currentAlignment_ = AlignmentOf(align->StrValue, currentAlignment_);
  NewSection(level, currentAlignment_);
  Tok.Next();
  SymbolSet inner = terminators;
  inner.set(CenterEndSy);
  inner.set(DivEndSy);
  DoBody(level, inner);
  EndSection();
  currentAlignment_ = saved;
  NewSection(level, currentAlignment_);
  if (Sym() == CenterEndSy || Sym() == DivEndSy) Tok.Next();
  --depth_;
}

bool THtmlParser::SetStyle(HtmlSymbol symbol) {
  switch (symbol) {
    case BSy:
    case StrongSy: styles_ |= cl::fsBold; return true;
    case BEndSy:
    case StrongEndSy: styles_ &= ~cl::fsBold; return true;
    case ISy:
    case EmSy:
    case CiteSy:
    case VarSy: styles_ |= cl::fsItalic; return true;
    case IEndSy:
    case EmEndSy:
    case CiteEndSy:
    case VarEndSy: styles_ &= ~cl::fsItalic; return true;
    case USy: styles_ |= cl::fsUnderline; return true;
    case UEndSy: styles_ &= ~cl::fsUnderline; return true;
    case SSy:
    case StrikeSy: styles_ |= cl::fsStrikeOut; return true;
    case SEndSy:
    case StrikeEndSy: styles_ &= ~cl::fsStrikeOut; return true;
    default: return false;
  }
}

void THtmlParser::DoParagraph(int32_t level) {
  EndSection();
  if (!Tok.ParagraphSpaceAdded) Cell().AddSection(NewParagraphSpace());
  Tok.SkipWhiteSpace();
  uint8_t alignment = FindAlignment();
  Tok.ParagraphSpaceAdded = true;
  Tok.Next();
  while (Sym() == PSy || Sym() == PEndSy) {
    alignment = FindAlignment();
    Tok.SkipWhiteSpace();
    Tok.ParagraphSpaceAdded = true;
    Tok.Next();
  }
  NewSection(level, alignment);
}

void THtmlParser::DoCommonElements(int32_t level) {
  const HtmlSymbol sym = Sym();
  if (SetStyle(sym)) {
    ChangeFont();
    Tok.Next();
    return;
  }
  switch (sym) {
    case PSy:
    case PEndSy: DoParagraph(level); return;
    case SubSy:
    case SupSy:
      EnsureSection(level);
      scriptState_ = sym == SubSy ? 1 : 2;
      ChangeFont();
      break;
    case SubEndSy:
    case SupEndSy:
      scriptState_ = 0;
      ChangeFont();
      break;
    case BRSy: {
      const uint8_t alignment = section_ ? section_->PadIfEmpty() : currentAlignment_;
      EndSection();
      NewSection(level, alignment);
      section_->SetClear(Attrs());
      break;
    }
    case HSy:
      if (fonts_.Full()) {
        fonts_.NotPushed(HSy);
      } else {
        EndSection();
        fonts_.Push(HSy);
        const int32_t heading = Tok.HeadingLevel();
        TMyFont& font = fonts_.Top();
        font.SetRelSize(document_, HeadingSizes[heading]);
        if (heading > 0) font.SetStyle(font.Style() | cl::fsBold);
        Cell().AddSection(NewHeadingSpace(heading));
        NewSection(level, FindAlignment());
      }
      break;
    case HEndSy:
      if (fonts_.WillPop(HSy)) {
        EndSection();
        Cell().AddSection(NewHeadingSpace(Tok.HeadingLevel()));
      }
      fonts_.Pop(HSy);
      break;
    case TTSy:
    case CodeSy:
    case KbdSy:
    case SampSy:
      if (fonts_.Push(sym)) {
        SetPreFont(document_, fonts_.Top());
        ChangeFont();
      }
      break;
    case TTEndSy:
    case CodeEndSy:
    case KbdEndSy:
    case SampEndSy:
    case FontEndSy:
    case BigEndSy:
    case SmallEndSy:
      PopFont(StartOf(sym));
      break;
    case AddressSy:
      EndSection();
      if (fonts_.Push(AddressSy)) fonts_.Top().SetStyle(fonts_.Top().Style() | cl::fsItalic);
      NewSection(level, currentAlignment_);
      break;
    case AddressEndSy:
      EndSection();
      fonts_.Pop(AddressSy);
      break;
    case PreSy: DoPre(level); return;
    case ImageSy:
      EnsureSection(level);
      section_->AddImage(Clamped(Attrs()), &Cell());
      break;
    case ASy:
      DoAnchor();
      if (FindAttribute(Attrs(), NameSy)) EnsureSection(level);
      if (const TAttribute* name = FindAttribute(Attrs(), NameSy))
        nameList_.AddObject(cl::AnsiUpperCase(name->StrValue), section_.get());
      break;
    case AEndSy: EndLink(); break;
    case TextSy:
      EnsureSection(level);
      section_->AppendText(Tok.TokenText());
      break;
    case TableSy: DoTable(level); return;
    case InputSy:
      EnsureSection(level);
      AddFormControl(sym);
      break;
    case SelectSy:
      EnsureSection(level);
      DoSelect(AddFormControl(sym));
      break;
    case TextAreaSy:
      EnsureSection(level);
      DoTextArea(AddFormControl(sym));
      break;
    case FormSy: DoForm(); break;
    case FormEndSy: currentForm_ = nullptr; break;
    case FontSy:
    case BaseFontSy:
      if (DoFont(sym, false)) ChangeFont();
      break;
    case BigSy:
    case SmallSy:
      if (ChangeSize(sym)) ChangeFont();
      break;
    case MapSy: DoMap(true); return;
    case PageSy:
      EndSection();
      Cell().AddSection(NewPage());
      break;
    case ScriptSy: DoScript(); break;
    default: break;
  }
  Tok.Next();
}

void THtmlParser::DoAnchor() {
  const TAttribute* href = FindAttribute(Attrs(), HrefSy);
  if (!href) return;
  EndLink();
  const TAttribute* target = FindAttribute(Attrs(), TargetSy);
  url_.Assign(href->StrValue, target ? std::optional<std::string_view>(target->StrValue) : std::nullopt);
  inLink_ = true;
  if (fonts_.Push(ASy)) {
    TMyFont& font = fonts_.Top();
    font.SetStyle(font.Style() | cl::fsUnderline);
    // The document's LINK colour is its own; else links follow the default.
    if (ownLinkColor_) {
      font.SetOwnColor(document_.DefaultLinkColor | cl::PaletteRelative);
    } else {
      font.SetColor(document_.DefaultLinkColor | cl::PaletteRelative);
      font.OwnColor = false;
    }
  }
  if (section_) section_->ChangeFontAndLink(HrefSy, document_, fonts_.Top(), &url_, styles_, scriptState_);
}

void THtmlParser::EndLink() {
  if (!inLink_) return;
  url_.Clear();
  inLink_ = false;
  fonts_.Pop(ASy);
  if (section_) section_->ChangeFontAndLink(AEndSy, document_, fonts_.Top(), nullptr, styles_, scriptState_);
}

bool THtmlParser::DoFont(HtmlSymbol symbol, bool inPre) {
  int32_t size = 0;
  std::optional<HtmlColor> colour;
  std::string face;
  for (const auto& a : Attrs()) {
    switch (a->Code) {
      case SizeSy: {
        int64_t n = a->IntValue;
        if (a->StrValue.size() > 1 && (a->StrValue[0] == '+' || a->StrValue[0] == '-')) n += baseFontSize_;
        size = static_cast<int32_t>(std::clamp<int64_t>(n, 1, 7));
        if (symbol == BaseFontSy) baseFontSize_ = size;
        break;
      }
      case ColorSy:
        if (symbol == FontSy) {
          std::string value = a->StrValue;
          colour = ColorFromString(value);
        }
        break;
      case FaceSy:
        if (symbol == FontSy && !a->StrValue.empty()) {
          std::string value = a->StrValue.substr(0, 50);
          value = TrimBlanks(value.substr(0, value.find(',')));
          if (!value.empty()) face = value;
        }
        break;
      default: break;
    }
  }
  if (symbol == BaseFontSy && (currentCell_ != &document_ || document_.Count() > 0)) return false;
  if (!fonts_.Push(symbol)) return false;
  if (size == 0 && !colour && face.empty()) return false;
  TMyFont& font = fonts_.Top();
  if (colour) font.SetOwnColor(*colour | cl::PaletteRelative);
  if (size > 0) font.SetRelSize(document_, inPre ? PreFontSizes[size] : FontSizes[size]);
  if (!face.empty()) font.SetOwnName(face);
  return true;
}

bool THtmlParser::ChangeSize(HtmlSymbol symbol) {
  int index = 0;
  for (int i = 1; i <= 7 && index == 0; ++i)
    if (FontSizes[i] == fonts_.Top().RelSize) index = i;
  if (symbol == BigSy && index >= 1 && index <= 6) {
    ++index;
  } else if (symbol == SmallSy && index >= 2) {
    --index;
  } else {
    fonts_.NotPushed(symbol);
    return false;
  }
  if (!fonts_.Push(symbol)) return false;
  fonts_.Top().SetRelSize(document_, FontSizes[index]);
  return true;
}

void THtmlParser::DoForm() {
  auto form = std::make_unique<ThtmlForm>(&document_);
  for (const auto& a : Attrs()) {
    switch (a->Code) {
      case MethodSy: form->Method = a->StrValue; break;
      case ActionSy: form->Action = a->StrValue; break;
      case TargetSy: form->Target = a->StrValue; break;
      case EncTypeSy: form->EncType = a->StrValue; break;
      default: break;
    }
  }
  currentForm_ = form.get();
  document_.Forms.push_back(std::move(form));
}

TFormControlObj* THtmlParser::AddFormControl(HtmlSymbol code) {
  const TAttributeList attributes = Clamped(Attrs());
  std::unique_ptr<TFormControlObj> control = controls_.Create(code, document_, &Cell(), attributes);
  if (!control) return nullptr;
  if (!currentForm_) {
    document_.Forms.push_back(std::make_unique<ThtmlForm>(&document_));
    currentForm_ = document_.Forms.back().get();
  }
  const TAttribute* type = FindAttribute(attributes, TypeSy);
  const bool hidden = code == InputSy && type && cl::AnsiLowerCase(type->StrValue) == "hidden";
  TFormControlObj* added = control.get();
  section_->AddControl(added);
  currentForm_->InsertControl(std::move(control), hidden);
  return added;
}

void THtmlParser::DoSelect(TFormControlObj* control) {
  TSelectOption option;
  bool inOption = false;
  auto finish = [&] {
    option.Text = TrimBlanks(option.Text);
    if (inOption && !option.Text.empty() && control) controls_.AddOption(*control, option);
    option = TSelectOption{};
    inOption = false;
  };
  Tok.Next();
  while (Sym() != SelectEndSy && Sym() != EofSy) {
    if (Sym() == TextSy) {
      if (inOption) option.Text += Tok.TokenText();
    } else if (Sym() == OptionSy || Sym() == OptionEndSy) {
      finish();
      if (Sym() == OptionSy) {
        inOption = true;
        option.Selected = FindAttribute(Attrs(), SelectedSy) != nullptr;
        if (const TAttribute* value = FindAttribute(Attrs(), ValueSy)) option.Value = value->StrValue;
      }
    }
    Tok.Next();
  }
  finish();
  if (control) control->ResetValue();
}

void THtmlParser::DoTextArea(TFormControlObj* control) {
  std::string line;
  Tok.NextTextAreaToken();
  while (Sym() != TextAreaEndSy && Sym() != EofSy) {
    if (Sym() == EolSy) {
      if (control) controls_.AddLine(*control, line);
      line.clear();
    } else {
      line += Tok.TokenText();
    }
    Tok.NextTextAreaToken();
  }
  while (Tok.CurrentChar() != '>' && Tok.CurrentChar() != 26) Tok.GetCh();
  if (Tok.CurrentChar() == '>') Tok.GetCh();
  if (control) {
    if (!line.empty()) controls_.AddLine(*control, line);
    control->ResetValue();
  }
}

void THtmlParser::DoMap(bool next) {
  auto map = std::make_unique<TMapItem>();
  if (const TAttribute* name = FindAttribute(Attrs(), NameSy)) map->MapId = cl::AnsiUpperCase(name->StrValue);
  Tok.Next();
  while (Sym() != MapEndSy && Sym() != EofSy) {
    if (Sym() == AreaSy) map->AddArea(Attrs());
    Tok.Next();
  }
  if (Sym() == MapEndSy) document_.ImageMaps.push_back(std::move(map));
  if (next) Tok.Next();
}

void THtmlParser::DoScript() {
  if (!options_.OnScript) {
    do
      Tok.NextScriptToken();
    while (Sym() != ScriptEndSy && Sym() != EofSy);
    return;
  }
  struct TScriptFlag {
    THtmlTokenizer& tok;
    explicit TScriptFlag(THtmlTokenizer& t) : tok(t) { tok.InScript = true; }
    ~TScriptFlag() { tok.InScript = false; }
  } flag(Tok);
  const TAttribute* language = FindAttribute(Attrs(), LanguageSy);
  const std::string languageText = language ? language->StrValue : std::string();
  std::string script;
  script.reserve(32500);
  for (Tok.NextScriptToken(); Sym() != ScriptEndSy && Sym() != EofSy; Tok.NextScriptToken())
    script += Sym() == EolSy ? std::string_view("\r\n") : std::string_view(Tok.TokenText());
  options_.OnScript(options_.Sender, languageText, script);
}

void THtmlParser::DoTitle() {
  result_.TitleText.clear();
  Tok.Next();
  while (Sym() == TextSy) {
    result_.TitleText += Tok.TokenText();
    Tok.Next();
  }
}

void THtmlParser::DoBase() {
  if (const TAttribute* href = FindAttribute(Attrs(), HrefSy)) result_.BaseHref = href->StrValue;
  if (const TAttribute* target = FindAttribute(Attrs(), TargetSy)) result_.BaseTarget = target->StrValue;
  Tok.Next();
}

void THtmlParser::DoSound() {
  const TAttribute* src = FindAttribute(Attrs(), SrcSy);
  if (options_.OnSound && src) {
    const TAttribute* loop = FindAttribute(Attrs(), LoopSy);
    options_.OnSound(options_.Sender, src->StrValue, loop ? loop->IntValue : 1, false);
  }
  Tok.Next();
}

void THtmlParser::DoMeta() {
  if (options_.OnMeta) {
    auto value = [&](HtmlSymbol code) {
      const TAttribute* a = FindAttribute(Attrs(), code);
      return a ? a->StrValue : std::string();
    };
    options_.OnMeta(options_.Sender, value(HttpEqvSy), value(NameSy), value(ContentSy));
  }
  Tok.Next();
}

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
    switch (sym) {
      case HRSy:
        EndSection();
        Cell().AddSection(NewHorzLine(Clamped(Attrs())));
        Tok.Next();
        break;
      case OLSy:
      case ULSy:
      case DirSy:
      case MenuSy:
      case DLSy:
      case BlockQuoteSy:
        if (Nested()) {
          Tok.Next();
          break;
        }
        EndSection();
        DoLists(level + 1, sym, terminators);
        Tok.Next();
        break;
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
      AppendPreChar(pending, column);
      if (pending.size() > PrePieceLimit) flush();
      Tok.GetCh();
      continue;
    }
    Tok.Next();
    const HtmlSymbol sym = Sym();
    if (SetStyle(sym)) {
      flush();
      ChangeFont();
      continue;
    }
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
      case ImageSy:
        flush();
        section_->AddImage(Clamped(Attrs()), &Cell());
        break;
      case ASy:
        flush();
        DoAnchor();
        if (const TAttribute* name = FindAttribute(Attrs(), NameSy))
          nameList_.AddObject(cl::AnsiUpperCase(name->StrValue), section_.get());
        break;
      case AEndSy:
        flush();
        EndLink();
        break;
      case InputSy:
        flush();
        AddFormControl(sym);
        break;
      case SelectSy:
        flush();
        DoSelect(AddFormControl(sym));
        break;
      case TextAreaSy:
        flush();
        DoTextArea(AddFormControl(sym));
        break;
      case FormSy: DoForm(); break;
      case FormEndSy: currentForm_ = nullptr; break;
      case FontSy:
      case BaseFontSy:
        flush();
        if (DoFont(sym, true)) ChangeFont();
        break;
      case FontEndSy:
        flush();
        PopFont(FontSy);
        break;
      case MapSy: DoMap(false); break;
      case PageSy:
        flush();
        EndSection();
        Cell().AddSection(NewPage());
        newLine();
        column = 0;
        break;
      case ScriptSy: DoScript(); break;
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
void THtmlParser::AppendPreChar(std::string& pending, int32_t& column) const {
  constexpr int32_t tabWidth = 8;
  if (Tok.CurrentChar() == ' ' && Tok.CurrentCharIsTab()) {
    const int32_t blanks = tabWidth - column % tabWidth;
    pending.append(static_cast<size_t>(blanks), ' ');
    column += blanks;
  } else {
    pending += Tok.CurrentChar();
    ++column;
  }
}

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
  const uint8_t savedAlignment = currentAlignment_;
  const cl::TFontStyles savedStyles = styles_;
  EndSection();
  currentCell_ = nullptr;
  auto table = std::make_unique<ThtmlTable>(&document_, level, parent, savedAlignment, Clamped(Attrs()));
  std::unique_ptr<TCellList> row;
  std::unique_ptr<TCellObj> cell;
  uint8_t rowAlign = 0, rowVAlign = 1;

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
            currentAlignment_ = rowAlign ? rowAlign : 2;
            styles_ |= cl::fsBold;
          } else {
            currentAlignment_ = rowAlign ? rowAlign : 1;
            styles_ &= ~cl::fsBold;
          }
          if (const TAttribute* align = FindAttribute(Attrs(), AlignSy))
            currentAlignment_ = AlignmentOf(align->StrValue, currentAlignment_);
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
          rowAlign = align ? AlignmentOf(align->StrValue, 0) : 0;
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
          currentAlignment_ = 2;
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

template <class Open>
void RunParse(TSectionList& document, cl::TStrings& nameList, const THtmlParseOptions& options,
              THtmlParseResult& result, bool html, Open open) {
  TParseGuard guard;
  THtmlParser parser(document, nameList, options, result);
  try {
    open(parser.Tok);
    if (html)
      parser.ParseHtml();
    else
      parser.ParsePlainText();
  } catch (const EParseError&) {
    // Input that ends inside a comment: what was read stays.
  }
}

}  // namespace

void HtmlParseFile(TSectionList& document, cl::TStrings& nameList, const std::string& fileName,
                   const THtmlParseOptions& options, THtmlParseResult& result) {
  RunParse(document, nameList, options, result, true, [&](THtmlTokenizer& tok) { tok.OpenFile(fileName); });
}

void HtmlParseBuffer(TSectionList& document, cl::TStrings& nameList, const char* buffer, int32_t size,
                     const THtmlParseOptions& options, THtmlParseResult& result) {
  RunParse(document, nameList, options, result, true,
           [&](THtmlTokenizer& tok) { tok.OpenBuffer(buffer, size); });
}

void HtmlParseStrings(TSectionList& document, cl::TStrings& nameList, const cl::TStrings& strings,
                      const THtmlParseOptions& options, THtmlParseResult& result) {
  RunParse(document, nameList, options, result, true, [&](THtmlTokenizer& tok) { tok.OpenStrings(strings); });
}

void HtmlParseStream(TSectionList& document, cl::TStrings& nameList, cl::TStream& stream,
                     const THtmlParseOptions& options, THtmlParseResult& result) {
  RunParse(document, nameList, options, result, true, [&](THtmlTokenizer& tok) {
    stream.Seek(0, cl::TSeekOrigin::soBeginning);
    tok.OpenStream(stream);
  });
}

void TextParseFile(TSectionList& document, cl::TStrings& nameList, const std::string& fileName) {
  const THtmlParseOptions options;
  THtmlParseResult result;
  RunParse(document, nameList, options, result, false, [&](THtmlTokenizer& tok) { tok.OpenFile(fileName); });
}

void TextParseStrings(TSectionList& document, cl::TStrings& nameList, const cl::TStrings& strings) {
  const THtmlParseOptions options;
  THtmlParseResult result;
  RunParse(document, nameList, options, result, false,
           [&](THtmlTokenizer& tok) { tok.OpenStrings(strings); });
}

}  // namespace html
