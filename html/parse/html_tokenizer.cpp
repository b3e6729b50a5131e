#include "html/parse/html_tokenizer.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "html/parse/entities.h"
#include "html/document/html_common.h"
#include "platform/core/ending_file.h"
#include "platform/core/in_out_error.h"
#include "platform/core/last_error.h"

namespace html {

namespace {

constexpr char eofChar = 26;
constexpr std::size_t streamLineSize = 250;
// Far beyond any document; only a file that never stops growing reaches it.
constexpr std::uint64_t fileByteLimit = std::uint64_t{64} << 20;

struct TagEntry {
  std::string_view name;
  HtmlSymbol start;
  HtmlSymbol end;  // UnknownTagSy for tags without an end symbol
};

// Searched in order, first exact match wins.
constexpr TagEntry tagNames[] = {
    {"HTML", HtmlSy, HtmlEndSy},         {"TITLE", TitleSy, TitleEndSy},
    {"BODY", BodySy, BodyEndSy},         {"HEAD", HeadSy, HeadEndSy},
    {"B", BSy, BEndSy},                  {"I", ISy, IEndSy},
    {"H", HSy, HEndSy},                  {"EM", EmSy, EmEndSy},
    {"STRONG", StrongSy, StrongEndSy},   {"U", USy, UEndSy},
    {"CITE", CiteSy, CiteEndSy},         {"VAR", VarSy, VarEndSy},
    {"TT", TTSy, TTEndSy},               {"CODE", CodeSy, CodeEndSy},
    {"KBD", KbdSy, KbdEndSy},            {"SAMP", SampSy, SampEndSy},
    {"OL", OLSy, OLEndSy},               {"UL", ULSy, ULEndSy},
    {"DIR", DirSy, DirEndSy},            {"MENU", MenuSy, MenuEndSy},
    {"DL", DLSy, DLEndSy},               {"A", ASy, AEndSy},
    {"ADDRESS", AddressSy, AddressEndSy}, {"BLOCKQUOTE", BlockQuoteSy, BlockQuoteEndSy},
    {"PRE", PreSy, PreEndSy},            {"CENTER", CenterSy, CenterEndSy},
    {"TABLE", TableSy, TableEndSy},      {"TD", TDSy, TDEndSy},
    {"TH", THSy, THEndSy},               {"CAPTION", CaptionSy, CaptionEndSy},
    {"FORM", FormSy, FormEndSy},         {"TEXTAREA", TextAreaSy, TextAreaEndSy},
    {"SELECT", SelectSy, SelectEndSy},   {"OPTION", OptionSy, OptionEndSy},
    {"FONT", FontSy, FontEndSy},         {"SUB", SubSy, SubEndSy},
    {"SUP", SupSy, SupEndSy},            {"BIG", BigSy, BigEndSy},
    {"SMALL", SmallSy, SmallEndSy},      {"P", PSy, PEndSy},
    {"MAP", MapSy, MapEndSy},            {"FRAMESET", FrameSetSy, FrameSetEndSy},
    {"NOFRAMES", NoFramesSy, NoFramesEndSy}, {"SCRIPT", ScriptSy, ScriptEndSy},
    {"DIV", DivSy, DivEndSy},            {"S", SSy, SEndSy},
    {"STRIKE", StrikeSy, StrikeEndSy},   {"TR", TRSy, TREndSy},
    {"LI", LISy, UnknownTagSy},          {"BR", BRSy, UnknownTagSy},
    {"HR", HRSy, UnknownTagSy},          {"DD", DDSy, UnknownTagSy},
    {"DT", DTSy, UnknownTagSy},          {"IMG", ImageSy, UnknownTagSy},
    {"BASE", BaseSy, UnknownTagSy},      {"BUTTON", ButtonSy, UnknownTagSy},
    {"INPUT", InputSy, UnknownTagSy},    {"SELECTED", SelectedSy, UnknownTagSy},
    {"BASEFONT", BaseFontSy, UnknownTagSy}, {"AREA", AreaSy, UnknownTagSy},
    {"FRAME", FrameSy, UnknownTagSy},    {"PAGE", PageSy, UnknownTagSy},
    {"BGSOUND", BgSoundSy, UnknownTagSy}, {"WRAP", WrapSy, UnknownTagSy},
    {"META", MetaSy, UnknownTagSy},
};
static_assert(std::size(tagNames) == 65);

struct AttributeEntry {
  std::string_view name;
  HtmlSymbol code;
};

constexpr AttributeEntry attributeNames[] = {
    {"HREF", HrefSy},           {"NAME", NameSy},
    {"SRC", SrcSy},             {"ALT", AltSy},
    {"ALIGN", AlignSy},         {"TEXT", TextSy},
    {"BGCOLOR", BGColorSy},     {"LINK", LinkSy},
    {"BACKGROUND", BackgroundSy}, {"COLSPAN", ColSpanSy},
    {"ROWSPAN", RowSpanSy},     {"BORDER", BorderSy},
    {"CELLPADDING", CellPaddingSy}, {"CELLSPACING", CellSpacingSy},
    {"VALIGN", VAlignSy},       {"WIDTH", WidthSy},
    {"START", StartSy},         {"VALUE", ValueSy},
    {"TYPE", TypeSy},           {"CHECKBOX", CheckBoxSy},
    {"RADIO", RadioSy},         {"METHOD", MethodSy},
    {"ACTION", ActionSy},       {"CHECKED", CheckedSy},
    {"SIZE", SizeSy},           {"MAXLENGTH", MaxLengthSy},
    {"COLS", ColsSy},           {"ROWS", RowsSy},
    {"MULTIPLE", MultipleSy},   {"SELECTED", SelectedSy},
    {"FACE", FaceSy},           {"COLOR", ColorSy},
    {"TRANSP", TranspSy},       {"CLEAR", ClearSy},
    {"ISMAP", IsMapSy},         {"BORDERCOLOR", BorderColorSy},
    {"USEMAP", UseMapSy},       {"SHAPE", ShapeSy},
    {"COORDS", CoordsSy},       {"NOHREF", NoHrefSy},
    {"HEIGHT", HeightSy},       {"PLAIN", PlainSy},
    {"TARGET", TargetSy},       {"NORESIZE", NoResizeSy},
    {"SCROLLING", ScrollingSy}, {"HSPACE", HSpaceSy},
    {"LANGUAGE", LanguageSy},   {"FRAMEBORDER", FrameBorderSy},
    {"MARGINWIDTH", MarginWidthSy}, {"MARGINHEIGHT", MarginHeightSy},
    {"LOOP", LoopSy},           {"ONCLICK", OnClickSy},
    {"WRAP", WrapSy},           {"NOSHADE", NoShadeSy},
    {"HTTP-EQUIV", HttpEqvSy},  {"CONTENT", ContentSy},
    {"ENCTYPE", EncTypeSy},
};

// The entry of an upper-case name, looked up among the names of its first
// letter only (the names are unique, so the first match is the one match).
template <typename Entry, std::size_t N>
const Entry* FindByName(const Entry (&table)[N], std::string_view name) {
  struct Index {
    std::array<std::vector<const Entry*>, 26> byLetter;
    explicit Index(const Entry (&t)[N]) {
      for (const Entry& entry : t) byLetter[static_cast<std::size_t>(entry.name[0] - 'A')].push_back(&entry);
    }
  };
  static const Index index(table);
  if (name.empty() || name[0] < 'A' || name[0] > 'Z') return nullptr;
  for (const Entry* entry : index.byLetter[static_cast<std::size_t>(name[0] - 'A')])
    if (entry->name == name) return entry;
  return nullptr;
}

bool IsAttributeBearing(HtmlSymbol sym) {
  switch (sym) {
    case BodySy: case PSy: case BRSy: case HSy: case HRSy: case BaseSy: case OLSy:
    case ULSy: case ImageSy: case ASy: case MapSy: case AreaSy: case TableSy: case TDSy:
    case TRSy: case THSy: case CaptionSy: case InputSy: case FormSy: case TextAreaSy:
    case SelectSy: case OptionSy: case FontSy: case BaseFontSy: case FrameSetSy:
    case FrameSy: case ScriptSy: case DivSy: case BgSoundSy: case WrapSy: case MetaSy:
      return true;
    default:
      return false;
  }
}

bool TakesParagraphSpace(HtmlSymbol sym) {
  switch (sym) {
    case BRSy: case HSy: case HRSy: case ImageSy: case TextSy: case TableSy:
    case InputSy: case TextAreaSy: case SelectSy:
      return true;
    default:
      return false;
  }
}

char AsciiUpper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 32) : ch; }
bool IsUpperLetter(char ch) { return ch >= 'A' && ch <= 'Z'; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

}  // namespace

// Sources

void THtmlTokenizer::ResetState(TSourceKind kind) {
  Close();
  sourceKind_ = savedSourceKind_ = kind;
  pushedBackChar_ = -1;
  commentOpen_ = false;
  currentIsTab_ = false;
  endedInComment_ = false;
  endDelivered_ = false;
  InScript = false;
  ParagraphSpaceAdded = false;
  attributeList_.ClearAndFree();
  tokenText_.clear();
  currentSymbol_ = EofSy;
  headingLevel_ = 0;
  currentChar_ = currentCharUpper_ = eofChar;
}

void THtmlTokenizer::OpenFile(const std::string& fileName) {
  ResetState(SourceFile);
  if (!win::IsEndingFile(fileName)) throw cl::EInOutError(win::GetLastError());
  try {
    file_ = std::make_unique<cl::TFileStream>(fileName, cl::fmOpenRead | cl::fmShareDenyWrite);
  } catch (const cl::EFOpenError&) {
    throw cl::EInOutError(win::GetLastError());
  }
  fileName_ = fileName;
}

void THtmlTokenizer::OpenBuffer(const char* buffer, std::int32_t size) {
  ResetState(SourceBuffer);
  bufferPos_ = buffer;
  bufferEnd_ = buffer && size > 0 ? buffer + size : buffer;
}

void THtmlTokenizer::OpenStrings(const cl::TStrings& strings) {
  ResetState(SourceStrings);
  strings_ = &strings;
}

void THtmlTokenizer::OpenStream(cl::TStream& stream) {
  ResetState(SourceStream);
  stream_ = &stream;
}

void THtmlTokenizer::Start() {
  GetCh();
  Next();
}

void THtmlTokenizer::Close() {
  file_.reset();
  fileName_.clear();
  fileBufferPos_ = fileBufferLen_ = 0;
  fileBytesRead_ = 0;
  fileEnded_ = false;
  bufferPos_ = bufferEnd_ = nullptr;
  strings_ = nullptr;
  nextLine_ = 0;
  stream_ = nullptr;
  currentLine_.clear();
  linePos_ = 0;
  includeText_.clear();
  includePos_ = 0;
}

char THtmlTokenizer::ReadFileChar() {
  if (fileBufferPos_ >= fileBufferLen_) {
    if (!file_ || fileEnded_) return eofChar;
    // A read of nothing (at the bound) answers 0: the file ends there.
    const auto wanted =
        static_cast<std::int32_t>(std::min<std::uint64_t>(fileBuffer_.size(), fileByteLimit - fileBytesRead_));
    const std::int32_t n = file_->Read(fileBuffer_.data(), wanted);
    if (n < 0) throw cl::EInOutError(win::GetLastError());
    if (n == 0) {
      fileEnded_ = true;
      return eofChar;
    }
    fileBytesRead_ += static_cast<std::uint64_t>(n);
    fileBufferPos_ = 0;
    fileBufferLen_ = static_cast<std::size_t>(n);
  }
  return fileBuffer_[fileBufferPos_++];
}

char THtmlTokenizer::ReadLineChar() {
  if (linePos_ >= currentLine_.size()) {
    linePos_ = 0;
    if (sourceKind_ == SourceStrings) {
      if (strings_ && nextLine_ < strings_->Count()) {
        currentLine_ = strings_->Get(nextLine_++);
        currentLine_ += '\r';
      } else {
        currentLine_.assign(1, eofChar);
      }
    } else {
      currentLine_.resize(streamLineSize);
      std::int32_t n = stream_ ? stream_->Read(currentLine_.data(), streamLineSize) : 0;
      if (n < 0) n = 0;
      currentLine_.resize(static_cast<std::size_t>(n));
      if (currentLine_.size() < streamLineSize) currentLine_ += eofChar;
    }
  }
  return currentLine_[linePos_++];
}

char THtmlTokenizer::ReadSourceChar() {
  switch (sourceKind_) {
    case SourceFile:
      return ReadFileChar();
    case SourceBuffer:
      return bufferPos_ < bufferEnd_ ? *bufferPos_++ : eofChar;
    case SourceStrings:
    case SourceStream:
      return ReadLineChar();
    case SourceInclude:
      if (includePos_ < includeText_.size()) return includeText_[includePos_++];
      sourceKind_ = savedSourceKind_;
      includeText_.clear();
      includeText_.shrink_to_fit();
      includePos_ = 0;
      return ReadSourceChar();
  }
  return eofChar;
}

// Characters

void THtmlTokenizer::GetChBasic() {
  char ch;
  if (pushedBackChar_ >= 0) {
    ch = static_cast<char>(pushedBackChar_);
    pushedBackChar_ = -1;
  } else {
    ch = ReadSourceChar();
  }
  if (ch == '\n' || ch == '\r') {
    const char following = ReadSourceChar();
    if (ch == '\n') {
      if (following != '\r') pushedBackChar_ = static_cast<unsigned char>(following);
      ch = '\r';
    } else if (following != '\n') {
      pushedBackChar_ = static_cast<unsigned char>(following);
    }
  }
  currentIsTab_ = ch == '\t';
  if (currentIsTab_) ch = ' ';
  SetCurrent(ch);
  if (ch == eofChar && commentOpen_) throw EParseError("Open Comment at End of HTML File");
}

void THtmlTokenizer::GetChSlow() {
  if (commentOpen_) {
    GetChSkipping();
    return;
  }
  // The outermost reader: the end inside a comment becomes the end of input
  // here, so that the token being read keeps what it has collected.
  try {
    GetChSkipping();
  } catch (const EParseError&) {
    commentOpen_ = false;
    pushedBackChar_ = -1;
    currentIsTab_ = false;
    SetCurrent(eofChar);
    endedInComment_ = true;
  }
}

void THtmlTokenizer::EndOfInput() {
  currentSymbol_ = EofSy;
  if (!endedInComment_) return;
  if (endDelivered_) throw EParseError("Open Comment at End of HTML File");
  endDelivered_ = true;
}

void THtmlTokenizer::GetChSkipping() {
  bool again;
  do {
    again = false;
    GetChBasic();
    if (currentCharUpper_ != '<' || InScript) return;
    const char following = ReadSourceChar();
    if (following != '!') {
      pushedBackChar_ = static_cast<unsigned char>(following);
      return;
    }
    again = true;
    const bool outerOpen = commentOpen_;
    commentOpen_ = true;
    GetChBasic();
    if (currentChar_ == '-') {
      GetChBasic();
      if (currentChar_ == '-') {
        GetChBasic();
        if (IncludeHandler && currentChar_ == '#' && sourceKind_ != SourceInclude)
          DoInclude();
        else
          SkipComment();
      } else {
        SkipDeclaration();
      }
    } else {
      SkipDeclaration();
    }
    commentOpen_ = outerOpen;
  } while (again);
}

void THtmlTokenizer::SkipDeclaration() {
  while (currentChar_ != '>') GetChBasic();
}

// Ends at two or more dashes, optional blanks and line ends, and ">".
void THtmlTokenizer::SkipComment() {
  for (;;) {
    while (currentChar_ != '-') GetChBasic();
    GetChBasic();
    if (currentChar_ != '-') continue;
    while (currentChar_ == '-') GetChBasic();
    while (currentChar_ == ' ' || currentChar_ == '\r') GetChBasic();
    if (currentChar_ == '>') return;
  }
}

void THtmlTokenizer::DoInclude() {
  GetChBasic();
  std::string command;
  while (IsUpperLetter(currentCharUpper_)) {
    command += currentChar_;
    GetChBasic();
  }
  cl::TStringList params;
  HtmlSymbol sym;
  std::string name, value;
  std::int32_t numValue;
  bool ended = false;
  while (!ended && GetAttribute(sym, name, value, numValue)) {
    // An unquoted last value runs into the closing "-->"; the dashes end the
    // comment rather than belong to the value.
    if (currentChar_ == '>' && value.size() >= 2 && value.ends_with("--")) {
      while (!value.empty() && value.back() == '-') value.pop_back();
      ended = true;
    }
    params.Add(name + "=\"" + value + "\"");
  }
  if (!ended) SkipComment();
  std::string text = IncludeHandler(IncludeSender, command, params);
  if (!text.empty()) {
    savedSourceKind_ = sourceKind_;
    sourceKind_ = SourceInclude;
    includeText_ = std::move(text);
    includePos_ = 0;
  }
}

void THtmlTokenizer::SkipWhiteSpace() {
  while (currentChar_ == ' ' || currentChar_ == '\r') GetCh();
}

void THtmlTokenizer::AppendToken(char ch) {
  if (tokenText_.size() < tokenCapacity) tokenText_ += ch;
}

// Tokens

void THtmlTokenizer::Next() {
  tokenText_.clear();
  if (currentChar_ == eofChar) {
    EndOfInput();
  } else if (!GetTag() && !GetEntity() && !GetText()) {
    currentSymbol_ = OtherCharSy;
    tokenText_.assign(1, currentChar_);
    GetCh();
  }
  if (ParagraphSpaceAdded && TakesParagraphSpace(currentSymbol_)) ParagraphSpaceAdded = false;
}

bool THtmlTokenizer::GetTag() {
  if (currentCharUpper_ != '<') return false;
  GetCh();
  bool endTag = false;
  if (currentChar_ == '/') {
    endTag = true;
    GetCh();
  } else if (!IsUpperLetter(currentCharUpper_)) {
    currentSymbol_ = TextSy;
    tokenText_ = "<";
    return true;
  }
  currentSymbol_ = UnknownTagSy;
  std::string name;
  while (IsUpperLetter(currentCharUpper_)) {
    if (name.size() < tokenCapacity) {
      name += currentCharUpper_;
      TakePlainRun(name, tokenCapacity - name.size(), [](char c) { return IsUpperLetter(AsciiUpper(c)); }, true);
    }
    GetCh();
  }
  if (const TagEntry* entry = FindByName(tagNames, name)) currentSymbol_ = endTag ? entry->end : entry->start;
  SkipWhiteSpace();
  headingLevel_ = 0;
  if ((currentSymbol_ == HSy || currentSymbol_ == HEndSy) && currentChar_ >= '1' && currentChar_ <= '6') {
    headingLevel_ = currentChar_ - '0';
    GetCh();
  }
  const bool bearing = !endTag && IsAttributeBearing(currentSymbol_);
  if (bearing) attributeList_.ClearAndFree();
  HtmlSymbol sym;
  std::string attributeName, value;
  std::int32_t numValue;
  while (GetAttribute(sym, attributeName, value, numValue))
    if (bearing) attributeList_.Add(std::make_unique<TAttribute>(sym, value, numValue));
  while (currentChar_ != '>' && currentChar_ != eofChar) GetCh();
  if (currentChar_ == '>') GetCh();
  return true;
}

bool THtmlTokenizer::GetAttribute(HtmlSymbol& sym, std::string& name, std::string& value,
                                  std::int32_t& numValue) {
  sym = UnknownAttrSy;
  SkipWhiteSpace();
  name.clear();
  if (!IsUpperLetter(currentCharUpper_)) return false;
  GetAttributeName(name);
  if (const AttributeEntry* entry = FindByName(attributeNames, name)) sym = entry->code;
  SkipWhiteSpace();
  value.clear();
  numValue = sym == BorderSy ? 1 : 0;
  if (currentChar_ != '=') return true;
  GetCh();
  SkipWhiteSpace();
  if (currentChar_ == '"' || currentChar_ == '\'')
    GetQuotedValue(value, numValue);
  else if (currentChar_ == '+' || currentChar_ == '-' || IsDigit(currentChar_))
    GetNumberValue(value, numValue);
  else
    GetUnquotedValue(value);
  return true;
}

void THtmlTokenizer::GetAttributeName(std::string& name) {
  while (IsUpperLetter(currentCharUpper_) || currentChar_ == '-') {
    name += currentCharUpper_;
    TakePlainRun(name, std::string::npos, [](char c) { return IsUpperLetter(AsciiUpper(c)) || c == '-'; }, true);
    GetCh();
  }
}

void THtmlTokenizer::GetQuotedValue(std::string& value, std::int32_t& numValue) {
  const HtmlSymbol savedSymbol = currentSymbol_;
  const std::string savedText = tokenText_;
  const char quote = currentChar_;
  GetCh();
  while (currentChar_ != quote && currentChar_ != eofChar) {
    if (currentChar_ == '\r') {
      GetCh();
    } else if (currentChar_ == '&') {
      GetEntity();
      value += tokenText_;
    } else {
      value += currentChar_;
      TakePlainRun(value, std::string::npos, [quote](char c) { return c != quote && c != eofChar && c != '&'; });
      GetCh();
    }
  }
  if (currentChar_ == quote) GetCh();
  value = TrimBlanks(value);
  std::string_view number = value;
  if (!number.empty() && number.back() == '%' && number.find('%') == number.size() - 1)
    number.remove_suffix(1);
  numValue = IntValueOf(number);
  currentSymbol_ = savedSymbol;
  tokenText_ = savedText;
}

void THtmlTokenizer::GetNumberValue(std::string& value, std::int32_t& numValue) {
  if (currentChar_ == '+' || currentChar_ == '-') {
    value += currentChar_;
    GetCh();
  }
  while (currentChar_ != ' ' && currentChar_ != '\r' && currentChar_ != '%' &&
         currentChar_ != '>' && currentChar_ != eofChar) {
    value += currentChar_;
    GetCh();
  }
  SkipWhiteSpace();
  numValue = IntValueOf(value);
  if (currentChar_ == '%') {
    value += '%';
    GetCh();
  }
}

void THtmlTokenizer::GetUnquotedValue(std::string& value) {
  while (currentChar_ != ' ' && currentChar_ != '\r' && currentChar_ != eofChar && currentChar_ != '>') {
    value += currentChar_;
    TakePlainRun(value, std::string::npos, [](char c) { return c != ' ' && c != eofChar && c != '>'; });
    GetCh();
  }
}

bool THtmlTokenizer::GetEntity() {
  if (currentChar_ != '&') return false;
  currentSymbol_ = TextSy;
  tokenText_.clear();
  GetCh();
  if (currentChar_ == '#') {
    GetCh();
    std::string digits;
    while (IsDigit(currentChar_)) {
      digits += currentChar_;
      GetCh();
      if (digits.size() == 6) {
        tokenText_ = "&#" + digits;
        return true;
      }
    }
    const bool semicolon = currentChar_ == ';';
    if (semicolon) GetCh();
    if (!digits.empty())
      if (const auto ch = NumericCharacter(IntValueOf(digits))) {
        tokenText_.assign(1, *ch);
        return true;
      }
    tokenText_ = "&#" + digits + (semicolon ? ";" : "");
    return true;
  }
  std::string name;
  while (IsUpperLetter(currentCharUpper_) || IsDigit(currentChar_)) {
    name += currentChar_;
    GetCh();
    if (name.size() == 7) {
      tokenText_ = "&" + name;
      return true;
    }
  }
  const bool semicolon = currentChar_ == ';';
  if (semicolon) GetCh();
  if (const auto ch = EntityCharacter(name)) {
    tokenText_.assign(1, *ch);
    return true;
  }
  tokenText_ = "&" + name + (semicolon ? ";" : "");
  return true;
}

bool THtmlTokenizer::GetText() {
  tokenText_.clear();
  while (tokenText_.size() < textRunLimit) {
    const auto ch = static_cast<unsigned char>(currentChar_);
    if (ch <= 12 || (ch >= 14 && ch <= 31) || ch == '&' || ch == '<' || ch == '>') break;
    if (InPre || (ch != ' ' && ch != '\r')) {
      tokenText_ += currentChar_;
      // The characters that would each go the same way come over in one piece.
      const bool keepBlanks = InPre;
      TakePlainRun(tokenText_, textRunLimit - tokenText_.size(), [keepBlanks](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 32 && u != '&' && u != '<' && u != '>' && (keepBlanks || u != ' ');
      });
      GetCh();
    } else {
      tokenText_ += ' ';
      SkipWhiteSpace();
    }
  }
  if (tokenText_.empty()) return false;
  currentSymbol_ = TextSy;
  return true;
}

// TEXTAREA and SCRIPT

void THtmlTokenizer::NextTextAreaToken() {
  tokenText_.clear();
  if (currentChar_ == eofChar) {
    EndOfInput();
  } else if (currentChar_ == '\r') {
    currentSymbol_ = EolSy;
    GetCh();
  } else if (currentChar_ == '<') {
    tokenText_ = "<";
    GetCh();
    // Also stops at the end of the input, so "<abc" at the very end ends.
    while (currentChar_ != ' ' && currentChar_ != '\r' && currentChar_ != '>' && currentChar_ != eofChar) {
      AppendToken(currentChar_);
      GetCh();
    }
    currentSymbol_ = EqualsIgnoreCase(tokenText_, "</textarea") ? TextAreaEndSy : UnknownTagSy;
  } else if (currentChar_ == '&') {
    GetEntity();
  } else {
    while (tokenText_.size() < textRunLimit && currentChar_ != '\r' && currentChar_ != eofChar &&
           currentChar_ != '&' && currentChar_ != '<') {
      tokenText_ += currentChar_;
      GetCh();
    }
    currentSymbol_ = TextSy;
  }
}

void THtmlTokenizer::NextScriptToken() {
  tokenText_.clear();
  if (currentChar_ == eofChar) {
    EndOfInput();
  } else if (currentChar_ == '\r') {
    currentSymbol_ = EolSy;
    GetCh();
  } else if (currentChar_ == '<') {
    tokenText_ = "<";
    GetCh();
    for (int n = 0; n < 7 && (currentChar_ == '/' || IsUpperLetter(currentCharUpper_)); ++n) {
      tokenText_ += currentChar_;
      GetCh();
    }
    if (currentChar_ == '>') {
      tokenText_ += '>';
      GetCh();
    }
    currentSymbol_ = EqualsIgnoreCase(tokenText_, "</script>") ? ScriptEndSy : UnknownTagSy;
  } else {
    while (tokenText_.size() < textRunLimit && currentChar_ != '\r' && currentChar_ != eofChar &&
           currentChar_ != '<') {
      tokenText_ += currentChar_;
      GetCh();
    }
    currentSymbol_ = TextSy;
  }
}

}  // namespace html
