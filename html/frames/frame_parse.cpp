#include "html/frames/frame_parse.h"

#include <cstddef>
#include <exception>
#include <optional>
#include <vector>

namespace html {

TDocumentSource TDocumentSource::File(std::string fileName) {
  TDocumentSource source;
  source.Kind = SourceFile;
  source.FileName = std::move(fileName);
  return source;
}

TDocumentSource TDocumentSource::FromBuffer(const char* buffer, std::int32_t size) {
  TDocumentSource source;
  source.Kind = SourceBuffer;
  source.Buffer = buffer;
  source.BufferSize = size;
  return source;
}

TDocumentSource TDocumentSource::FromStrings(const cl::TStrings& strings) {
  TDocumentSource source;
  source.Kind = SourceStrings;
  source.Strings = &strings;
  return source;
}

TDocumentSource TDocumentSource::FromStream(cl::TStream& stream) {
  TDocumentSource source;
  source.Kind = SourceStream;
  source.Stream = &stream;
  return source;
}

namespace {

// Symbols that start body content: a document that reaches one of them
// before a FRAMESET is no frame document.
bool IsBodySymbol(HtmlSymbol sym) {
  switch (sym) {
    case BodySy: case PSy: case HSy: case HRSy: case OLSy: case ULSy: case DirSy:
    case MenuSy: case DLSy: case AddressSy: case BlockQuoteSy: case PreSy: case ImageSy:
    case TableSy: case FormSy:
      return true;
    default:
      return false;
  }
}

std::string AttributeText(const TAttributeList& attributes, HtmlSymbol code) {
  const TAttribute* attribute = FindAttribute(attributes, code);
  return attribute ? attribute->StrValue : std::string();
}

// Closes the tokenizer's file whichever way the parse ends.
class TSourceOpener {
 public:
  TSourceOpener(THtmlTokenizer& tokenizer, const TDocumentSource& source) : tokenizer_(tokenizer) {
    switch (source.Kind) {
      case SourceFile:
        tokenizer.OpenFile(source.FileName);
        break;
      case SourceBuffer:
        tokenizer.OpenBuffer(source.Buffer, source.BufferSize);
        break;
      case SourceStrings:
        tokenizer.OpenStrings(*source.Strings);
        break;
      case SourceStream:
        source.Stream->SetPosition(0);
        tokenizer.OpenStream(*source.Stream);
        break;
      default:
        throw cl::Exception("Unsupported document source");
    }
  }
  ~TSourceOpener() { tokenizer_.Close(); }
  TSourceOpener(const TSourceOpener&) = delete;
  TSourceOpener& operator=(const TSourceOpener&) = delete;

 private:
  THtmlTokenizer& tokenizer_;
};

class TFrameReader {
 public:
  TFrameReader(const TFrameParseHandlers& handlers, TFrameDocumentInfo& info)
      : handlers_(handlers), info_(info) {
    tokenizer_.IncludeHandler = handlers.Include;
    tokenizer_.IncludeSender = handlers.Sender;
  }

  THtmlTokenizer& Tokenizer() { return tokenizer_; }

  bool ScanForFrameSet() {
    tokenizer_.Start();
    for (;;) {
      const HtmlSymbol sym = tokenizer_.CurrentSymbol();
      if (sym == EofSy || IsBodySymbol(sym)) return false;
      if (sym == FrameSetSy) return true;
      if (sym == ScriptSy) SkipScript();
      tokenizer_.Next();
    }
  }

  // Reports through parsed whether a FRAMESET has been read to its end, so
  // that a failure later on still counts what was built.
  void ParseDocument(TFrameSetBuilder& set, const std::string& fileName, bool& parsed) {
    tokenizer_.Start();
    for (;;) {
      const HtmlSymbol sym = tokenizer_.CurrentSymbol();
      if (sym == EofSy || IsBodySymbol(sym)) return;
      switch (sym) {
        case TitleSy:
          DoTitle();
          break;
        case BaseSy:
          DoBase();
          break;
        case FrameSetSy:
          DoFrameSet(set, fileName);
          parsed = true;
          break;
        case NoFramesSy:
          SkipNoFrames();
          tokenizer_.Next();
          break;
        case ScriptSy:
          DoScript();
          tokenizer_.Next();
          break;
        case BgSoundSy:
          DoSound();
          break;
        case MetaSy:
          DoMeta();
          break;
        default:
          tokenizer_.Next();
          break;
      }
    }
  }

 private:
  // Reads one top-level FRAMESET up to its end symbol, which is left for
  // the caller, or the end of input. Nested sets are kept on a stack of
  // their own, not the call stack: hostile input nests without bound.
  void DoFrameSet(TFrameSetBuilder& top, const std::string& fileName) {
    std::vector<TFrameSetBuilder*> open{&top};
    top.ParseFrameDimensions(tokenizer_.AttributeList());
    tokenizer_.Next();
    // FRAMESET levels past the depth limit still open; what they hold is
    // dropped, their end tags close nothing.
    std::size_t ignored = 0;
    for (;;) {
      const HtmlSymbol sym = tokenizer_.CurrentSymbol();
      if (sym == EofSy) break;
      TFrameSetBuilder& set = *open.back();
      switch (sym) {
        case FrameSetEndSy:
          if (ignored > 0) {
            --ignored;
            break;
          }
          if (open.size() == 1) {
            top.EndFrameSet(info_);
            return;
          }
          set.EndFrameSet(info_);
          open.pop_back();
          break;
        case FrameSetSy:
          if (ignored > 0 || open.size() >= static_cast<std::size_t>(MaxFrameSetDepth)) {
            ++ignored;
            break;
          }
          open.push_back(&set.AddChildSet());
          open.back()->ParseFrameDimensions(tokenizer_.AttributeList());
          break;
        case FrameSy:
          if (ignored == 0) set.AddFrame(tokenizer_.AttributeList(), fileName, info_);
          break;
        case NoFramesSy:
          SkipNoFrames();
          break;
        case ScriptSy:
          DoScript();
          break;
        default:
          break;
      }
      if (tokenizer_.CurrentSymbol() == EofSy) break;
      tokenizer_.Next();
    }
    // The end of input closes every open set, the innermost first.
    for (auto it = open.rbegin(); it != open.rend(); ++it) (*it)->EndFrameSet(info_);
  }

  void SkipNoFrames() {
    do {
      tokenizer_.Next();
    } while (tokenizer_.CurrentSymbol() != NoFramesEndSy && tokenizer_.CurrentSymbol() != EofSy);
  }

  void SkipScript() {
    do {
      tokenizer_.NextScriptToken();
    } while (tokenizer_.CurrentSymbol() != ScriptEndSy && tokenizer_.CurrentSymbol() != EofSy);
  }

  void DoScript() {
    if (!handlers_.Script) {
      SkipScript();
      return;
    }
    const std::string language = AttributeText(tokenizer_.AttributeList(), LanguageSy);
    struct TScriptMode {
      THtmlTokenizer& tokenizer;
      explicit TScriptMode(THtmlTokenizer& t) : tokenizer(t) { tokenizer.InScript = true; }
      ~TScriptMode() { tokenizer.InScript = false; }
    } mode(tokenizer_);
    std::string script;
    for (;;) {
      tokenizer_.NextScriptToken();
      const HtmlSymbol sym = tokenizer_.CurrentSymbol();
      if (sym == ScriptEndSy || sym == EofSy) break;
      script += sym == EolSy ? std::string("\r\n") : tokenizer_.TokenText();
    }
    handlers_.Script(handlers_.Sender, language, script);
  }

  void DoTitle() {
    info_.Title.clear();
    tokenizer_.Next();
    while (tokenizer_.CurrentSymbol() == TextSy) {
      info_.Title += tokenizer_.TokenText();
      tokenizer_.Next();
    }
  }

  void DoBase() {
    const TAttributeList& attributes = tokenizer_.AttributeList();
    if (const TAttribute* href = FindAttribute(attributes, HrefSy)) info_.BaseHref = href->StrValue;
    if (const TAttribute* target = FindAttribute(attributes, TargetSy)) info_.BaseTarget = target->StrValue;
    tokenizer_.Next();
  }

  void DoSound() {
    const TAttributeList& attributes = tokenizer_.AttributeList();
    const TAttribute* src = FindAttribute(attributes, SrcSy);
    if (handlers_.Sound && src) {
      const TAttribute* loop = FindAttribute(attributes, LoopSy);
      handlers_.Sound(handlers_.Sender, src->StrValue, loop ? loop->IntValue : 1, false);
    }
    tokenizer_.Next();
  }

  void DoMeta() {
    if (handlers_.Meta) {
      const TAttributeList& attributes = tokenizer_.AttributeList();
      handlers_.Meta(handlers_.MetaSender, AttributeText(attributes, HttpEqvSy),
                     AttributeText(attributes, NameSy), AttributeText(attributes, ContentSy));
    }
    tokenizer_.Next();
  }

  const TFrameParseHandlers& handlers_;
  TFrameDocumentInfo& info_;
  THtmlTokenizer tokenizer_;
};

// Runs a read under the failure rules: a file source lets only the
// tokenizer's parse error go; the other sources end quietly on any failure.
template <typename Read>
void ReadGuarded(TSourceKind kind, Read&& read) {
  try {
    read();
  } catch (const EParseError&) {
  } catch (const std::exception&) {
    if (kind == SourceFile) throw;
  }
}

}  // namespace

bool IsFrameDocument(const TDocumentSource& source, const TFrameParseHandlers& handlers) {
  TFrameDocumentInfo info;
  TFrameParseHandlers scanHandlers;
  scanHandlers.Sender = handlers.Sender;
  scanHandlers.Include = handlers.Include;
  TFrameReader reader(scanHandlers, info);
  bool result = false;
  ReadGuarded(source.Kind, [&] {
    const TSourceOpener opener(reader.Tokenizer(), source);
    result = reader.ScanForFrameSet();
  });
  return result;
}

bool FrameParse(const TDocumentSource& source, TFrameSetBuilder& set,
                const TFrameParseHandlers& handlers, const std::string& fileName,
                TFrameDocumentInfo& info) {
  info = TFrameDocumentInfo{};
  TFrameReader reader(handlers, info);
  bool parsed = false;
  ReadGuarded(source.Kind, [&] {
    const TSourceOpener opener(reader.Tokenizer(), source);
    reader.ParseDocument(set, fileName, parsed);
  });
  return parsed;
}

}  // namespace html
