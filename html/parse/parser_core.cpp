#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "html/document/colors.h"
#include "html/document/map_item.h"
#include "html/parse/html_parser_impl.h"
#include "html/parse/parser_blocks.h"
#include "platform/core/ansi_case.h"

namespace html {

const SymbolSet ContentSymbols = Symbols({
    PSy, PEndSy, BSy, BEndSy, ISy, IEndSy, BRSy, HSy, HEndSy, EmSy, EmEndSy, StrongSy, StrongEndSy, USy,
    UEndSy, CiteSy, CiteEndSy, VarSy, VarEndSy, TTSy, TTEndSy, CodeSy, CodeEndSy, KbdSy, KbdEndSy, SampSy,
    SampEndSy, AddressSy, AddressEndSy, PreSy, ImageSy, ASy, AEndSy, TextSy, TableSy, InputSy, FormSy,
    FormEndSy, TextAreaSy, TextAreaEndSy, SelectSy, FontSy, FontEndSy, BaseFontSy, SubSy, SubEndSy, SupSy,
    SupEndSy, BigSy, BigEndSy, SmallSy, SmallEndSy, MapSy, PageSy, ScriptSy, SSy, SEndSy, StrikeSy, StrikeEndSy,
});

const SymbolSet ListStarts = Symbols({OLSy, ULSy, DirSy, MenuSy, DLSy, BlockQuoteSy});

namespace {

constexpr int32_t FontSizes[8] = {0, 8, 10, 12, 14, 18, 24, 36};
constexpr int32_t PreFontSizes[8] = {0, 7, 8, 10, 12, 15, 20, 30};
constexpr int32_t HeadingSizes[7] = {12, 24, 18, 15, 12, 10, 8};

constexpr int32_t MaxSpan = 1000;
constexpr int32_t MaxPixels = 32000;

}  // namespace

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

std::optional<Justification> AlignmentOf(const std::string& value) {
  const std::string v = cl::AnsiLowerCase(value);
  if (v == "left") return Justification::Left;
  if (v == "center") return Justification::Center;
  if (v == "right") return Justification::Right;
  return std::nullopt;
}

namespace {

HtmlSymbol StartOf(HtmlSymbol end) {
  switch (end) {
    case TTEndSy: return TTSy;
    case CodeEndSy: return CodeSy;
    case KbdEndSy: return KbdSy;
    case SampEndSy: return SampSy;
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

std::unique_ptr<TMyFont> BaseFontOf(const TSectionList& document) {
  auto font = std::make_unique<TMyFont>();
  font->UpdateFont(document, document.DefaultTextColor);
  font->SetRelSize(document, 12);
  return font;
}

}  // namespace

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
  section_ = std::make_unique<TSection>(0, Justification::Left, nullptr, fonts_.Top());
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

void THtmlParser::EndSection() {
  if (section_) Cell().AddSection(std::move(section_));
}

void THtmlParser::NewSection(int32_t level, Justification alignment) {
  section_ = std::make_unique<TSection>(level, alignment, Link(), fonts_.Top(), styles_);
  scriptState_ = 0;
}

void THtmlParser::ChangeFont() {
  if (section_) section_->ChangeFont(document_, fonts_.Top(), styles_, scriptState_);
}

Justification THtmlParser::FindAlignment() const {
  if (Sym() == PSy || Sym() == HSy || Sym() == DivSy)
    if (const TAttribute* align = FindAttribute(Attrs(), AlignSy))
      return AlignmentOf(align->StrValue).value_or(currentAlignment_);
  return currentAlignment_;
}

void THtmlParser::DoBody(int32_t level, const SymbolSet& terminators) {
  while (Sym() != EofSy && Sym() != BodyEndSy) {
    const HtmlSymbol sym = Sym();
    if (ContentSymbols.test(sym)) {
      DoCommonElements(level);
      continue;
    }
    if (DoBlockElement(level, terminators)) continue;
    switch (sym) {
      case TitleSy: DoTitle(); break;
      case BodySy: DoBodyTag(); break;
      case BaseSy: DoBase(); break;
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

bool THtmlParser::DoBlockElement(int32_t level, const SymbolSet& terminators) {
  const HtmlSymbol sym = Sym();
  if (sym == HRSy) {
    EndSection();
    Cell().AddSection(NewHorzLine(Clamped(Attrs())));
  } else if (!ListStarts.test(sym)) {
    return false;
  } else if (!Nested()) {
    EndSection();
    DoLists(level + 1, sym, terminators);
  }
  Tok.Next();
  return true;
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
  const Justification saved = currentAlignment_;
  if (Sym() == CenterSy)
    currentAlignment_ = Justification::Center;
  else if (const TAttribute* align = FindAttribute(Attrs(), AlignSy))
    currentAlignment_ = AlignmentOf(align->StrValue).value_or(currentAlignment_);
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
  Justification alignment = FindAlignment();
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

bool THtmlParser::DoInlineElement(HtmlSymbol sym, const TInlineTarget& target) {
  if (SetStyle(sym)) {
    target.Flush();
    ChangeFont();
    return true;
  }
  switch (sym) {
    case ImageSy:
      target.Ensure();
      section_->AddImage(Clamped(Attrs()), &Cell());
      return true;
    case ASy:
      target.Flush();
      DoAnchor();
      if (const TAttribute* name = FindAttribute(Attrs(), NameSy)) {
        target.Ensure();
        nameList_.AddObject(cl::AnsiUpperCase(name->StrValue), section_.get());
      }
      return true;
    case AEndSy:
      target.Flush();
      EndLink();
      return true;
    case InputSy:
      target.Ensure();
      AddFormControl(sym);
      return true;
    case SelectSy:
      target.Ensure();
      DoSelect(AddFormControl(sym));
      return true;
    case TextAreaSy:
      target.Ensure();
      DoTextArea(AddFormControl(sym));
      return true;
    case FormSy: DoForm(); return true;
    case FormEndSy: currentForm_ = nullptr; return true;
    case FontSy:
    case BaseFontSy:
      target.Flush();
      if (DoFont(sym, target.InPre)) ChangeFont();
      return true;
    case FontEndSy:
      target.Flush();
      PopFont(FontSy);
      return true;
    case MapSy: DoMap(); return true;
    case ScriptSy: DoScript(); return true;
    default: return false;
  }
}

void THtmlParser::DoCommonElements(int32_t level) {
  const HtmlSymbol sym = Sym();
  const TInlineTarget running{false, [] {}, [this, level] { EnsureSection(level); }};
  if (DoInlineElement(sym, running)) {
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
      const Justification alignment = section_ ? section_->PadIfEmpty() : currentAlignment_;
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
    case TextSy:
      EnsureSection(level);
      section_->AppendText(Tok.TokenText());
      break;
    case TableSy: DoTable(level); return;
    case BigSy:
    case SmallSy:
      if (ChangeSize(sym)) ChangeFont();
      break;
    case PageSy:
      EndSection();
      Cell().AddSection(NewPage());
      break;
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

void THtmlParser::DoMap() {
  auto map = std::make_unique<TMapItem>();
  if (const TAttribute* name = FindAttribute(Attrs(), NameSy)) map->MapId = cl::AnsiUpperCase(name->StrValue);
  Tok.Next();
  while (Sym() != MapEndSy && Sym() != EofSy) {
    if (Sym() == AreaSy) map->AddArea(Attrs());
    Tok.Next();
  }
  if (Sym() == MapEndSy) document_.ImageMaps.push_back(std::move(map));
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

namespace {

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
