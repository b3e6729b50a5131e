#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "html/document/attributes.h"
#include "html/document/html_symbol.h"
#include "platform/core/exception.h"
#include "platform/core/file_stream.h"
#include "platform/core/object.h"
#include "platform/core/stream.h"
#include "platform/core/string_list.h"

namespace html {

// The one error the tokenizer raises itself: input that ends inside "<!".
class EParseError : public cl::Exception {
 public:
  using cl::Exception::Exception;
};

enum TSourceKind : std::uint8_t {
  SourceFile = 0,
  SourceBuffer = 1,
  SourceStrings = 2,
  SourceStream = 3,
  SourceInclude = 4,
};

// A server-side include <!--#command params-->: the handler gets the command
// (as written) and the parameters, one line name="value" each, and returns the
// text to read in place of the comment (empty for none). The parameter list
// belongs to the tokenizer and lives only for the call; the returned text is
// the tokenizer's to keep until it has been read.
using TIncludeHandler =
    std::function<std::string(cl::TObject* sender, const std::string& command, cl::TStrings& params)>;

// Turns a document source into one-byte symbols, each with its token text
// and, for tags, an attribute list. The parser pulls them with Next (or the
// TEXTAREA and SCRIPT readers) and looks only at the current symbol, token
// text and attribute list. The current character is always the first one not
// yet consumed by a token. Character 26 ends the input wherever it stands,
// since DOS files end that way.
class THtmlTokenizer {
 public:
  THtmlTokenizer() = default;
  THtmlTokenizer(const THtmlTokenizer&) = delete;
  THtmlTokenizer& operator=(const THtmlTokenizer&) = delete;

  // Sources. Each resets the reading state (push-back, InScript,
  // ParagraphSpaceAdded, the attribute list; InPre stays for the caller);
  // Start then loads the first character and symbol. The buffer, strings and
  // stream are only observed and must outlive the reading; a stream is read
  // from its current position in blocks of 250 bytes.
  // OpenFile raises cl::EInOutError when the file cannot be opened; a name
  // that leads to a device is never opened and counts as missing (2). A file
  // ends after 64 MB at the latest, as one that grows while it is read (or a
  // FIFO whose writer never stops) would otherwise never end.
  void OpenFile(const std::string& fileName);
  void OpenBuffer(const char* buffer, std::int32_t size);
  void OpenStrings(const cl::TStrings& strings);
  void OpenStream(cl::TStream& stream);
  // GetCh once, then Next once.
  void Start();
  // Closes the file and forgets the source.
  void Close();

  // Reads the next token into CurrentSymbol, TokenText, HeadingLevel and
  // (for attribute-bearing start tags) the attribute list. Input that ends
  // inside "<!" ends like any other: the text read before it comes out, then
  // EofSy; reading on past that EofSy raises EParseError. So every reader
  // hands over what it collected before the error is seen.
  void Next();
  // The readers used inside TEXTAREA and SCRIPT instead of Next.
  void NextTextAreaToken();
  void NextScriptToken();

  // Character level, for the parser's own readers.
  void GetChBasic();  // next character, CR/LF pairs folded to CR, tab to space
  // Like GetChBasic, but skips comments, declarations, includes. Input that
  // ends inside one leaves character 26 current (see Next).
  void GetCh() {
    if (!TakePlainChar()) GetChSlow();
  }
  void SkipWhiteSpace();
  // One attribute of a tag; false when no attribute name starts here.
  bool GetAttribute(HtmlSymbol& sym, std::string& name, std::string& value, std::int32_t& numValue);

  HtmlSymbol CurrentSymbol() const { return currentSymbol_; }
  const std::string& TokenText() const { return tokenText_; }
  std::int32_t HeadingLevel() const { return headingLevel_; }
  const TAttributeList& AttributeList() const { return attributeList_; }
  // Hands the current attributes to a caller that keeps them; the tokenizer's
  // list is empty afterwards.
  TAttributeList TakeAttributeList() { return std::move(attributeList_); }
  char CurrentChar() const { return currentChar_; }
  char CurrentCharUpper() const { return currentCharUpper_; }
  // The current blank was a tab before folding (preformatted text expands it).
  bool CurrentCharIsTab() const { return currentIsTab_; }
  TSourceKind SourceKind() const { return sourceKind_; }

  bool InPre = false;               // white space is kept as it stands
  bool InScript = false;            // comments are not recognised
  bool ParagraphSpaceAdded = false;  // cleared by Next for tokens that take the space
  TIncludeHandler IncludeHandler;   // unassigned = no includes
  cl::TObject* IncludeSender = nullptr;

  // Token text capacity; text runs stop at 100 so text reaches the sections in pieces.
  static constexpr std::size_t tokenCapacity = 150;
  static constexpr std::size_t textRunLimit = 100;

 private:
  char ReadSourceChar();
  char ReadFileChar();
  char ReadLineChar();
  void ResetState(TSourceKind kind);
  void AppendToken(char ch);
  void SetCurrent(char ch) {
    currentChar_ = ch;
    currentCharUpper_ = ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 32) : ch;
  }
  // The common character, read without the general path: one that is not a
  // line end, tab or '<', with nothing pushed back and no comment open.
  static bool IsPlain(char ch) { return ch != '\n' && ch != '\r' && ch != '\t' && ch != '<'; }
  bool TakePlainChar() {
    if (commentOpen_ || pushedBackChar_ >= 0) return false;
    char ch;
    if (sourceKind_ == SourceBuffer) {
      if (bufferPos_ >= bufferEnd_ || !IsPlain(ch = *bufferPos_)) return false;
      ++bufferPos_;
    } else if (sourceKind_ == SourceStream || sourceKind_ == SourceStrings) {
      if (linePos_ >= currentLine_.size() || !IsPlain(ch = currentLine_[linePos_])) return false;
      ++linePos_;
    } else if (sourceKind_ == SourceFile) {
      if (fileBufferPos_ >= fileBufferLen_ || !IsPlain(ch = fileBuffer_[fileBufferPos_])) return false;
      ++fileBufferPos_;
    } else {
      return false;
    }
    currentIsTab_ = false;
    SetCurrent(ch);
    return true;
  }
  void GetChSlow();
  // Appends to out the unread plain characters that pass take (upper-cased
  // when asked), at most max, as reading each with GetCh would; the current
  // character stays as it was.
  template <typename Take>
  void TakePlainRun(std::string& out, std::size_t max, Take take, bool upper = false) {
    if (commentOpen_ || pushedBackChar_ >= 0) return;
    const char* from;
    const char* end;
    if (sourceKind_ == SourceBuffer) {
      from = bufferPos_;
      end = bufferEnd_;
    } else if (sourceKind_ == SourceStream || sourceKind_ == SourceStrings) {
      from = currentLine_.data() + linePos_;
      end = currentLine_.data() + currentLine_.size();
    } else if (sourceKind_ == SourceFile) {
      from = fileBuffer_.data() + fileBufferPos_;
      end = fileBuffer_.data() + fileBufferLen_;
    } else {
      return;
    }
    if (static_cast<std::size_t>(end - from) > max) end = from + max;
    const char* to = from;
    while (to < end && IsPlain(*to) && take(*to)) ++to;
    if (upper)
      for (const char* p = from; p < to; ++p) out += *p >= 'a' && *p <= 'z' ? static_cast<char>(*p - 32) : *p;
    else
      out.append(from, to);
    const auto n = static_cast<std::size_t>(to - from);
    if (sourceKind_ == SourceBuffer)
      bufferPos_ = to;
    else if (sourceKind_ == SourceFile)
      fileBufferPos_ += n;
    else
      linePos_ += n;
  }
  bool GetTag();
  bool GetEntity();
  bool GetText();
  void GetAttributeName(std::string& name);
  void GetQuotedValue(std::string& value, std::int32_t& numValue);
  void GetNumberValue(std::string& value, std::int32_t& numValue);
  void GetUnquotedValue(std::string& value);
  void GetChSkipping();
  void EndOfInput();
  void SkipComment();
  void SkipDeclaration();
  void DoInclude();

  TSourceKind sourceKind_ = SourceBuffer;
  TSourceKind savedSourceKind_ = SourceBuffer;

  // File: read through a 2000-byte buffer.
  std::unique_ptr<cl::TFileStream> file_;
  std::string fileName_;
  std::array<char, 2000> fileBuffer_{};
  std::size_t fileBufferPos_ = 0;
  std::size_t fileBufferLen_ = 0;
  std::uint64_t fileBytesRead_ = 0;
  bool fileEnded_ = false;
  // Buffer.
  const char* bufferPos_ = nullptr;
  const char* bufferEnd_ = nullptr;
  // Strings and stream share the current line and the position in it.
  const cl::TStrings* strings_ = nullptr;
  int nextLine_ = 0;
  cl::TStream* stream_ = nullptr;
  std::string currentLine_;
  std::size_t linePos_ = 0;
  // Include text, owned until read.
  std::string includeText_;
  std::size_t includePos_ = 0;

  char currentChar_ = 26;
  char currentCharUpper_ = 26;
  int pushedBackChar_ = -1;  // -1 = none, so that a NUL byte can be pushed back too
  bool commentOpen_ = false;
  bool currentIsTab_ = false;
  bool endedInComment_ = false;  // the input ended inside "<!"
  bool endDelivered_ = false;    // and EofSy has been handed out for it
  HtmlSymbol currentSymbol_ = EofSy;
  std::string tokenText_;
  std::int32_t headingLevel_ = 0;
  TAttributeList attributeList_;
};

}  // namespace html
