#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "html/document/attributes.h"
#include "html/parse/html_tokenizer.h"
#include "platform/core/object.h"
#include "platform/core/stream.h"
#include "platform/core/string_list.h"

namespace html {

// Where a document comes from: a file, a buffer, a string list or a stream
// (read from its start). Buffers, strings and streams are only observed.
struct TDocumentSource {
  TSourceKind Kind = SourceFile;
  std::string FileName;
  const char* Buffer = nullptr;
  std::int32_t BufferSize = 0;
  const cl::TStrings* Strings = nullptr;
  cl::TStream* Stream = nullptr;

  static TDocumentSource File(std::string fileName);
  static TDocumentSource FromBuffer(const char* buffer, std::int32_t size);
  static TDocumentSource FromStrings(const cl::TStrings& strings);
  static TDocumentSource FromStream(cl::TStream& stream);
};

// The handlers a frame-set parse calls, each possibly unassigned. Sender is
// the viewer (include, script, sound) or the frame set (meta).
struct TFrameParseHandlers {
  cl::TObject* Sender = nullptr;
  TIncludeHandler Include;
  // (sender, source, loop count, terminate)
  std::function<void(cl::TObject*, const std::string&, std::int32_t, bool)> Sound;
  // (sender, HTTP-EQUIV, NAME, CONTENT)
  std::function<void(cl::TObject*, const std::string&, const std::string&, const std::string&)> Meta;
  cl::TObject* MetaSender = nullptr;
  // (sender, language, script text with CR LF line ends)
  std::function<void(cl::TObject*, const std::string&, const std::string&)> Script;
};

// What the document's head said, as far as the parse had read.
struct TFrameDocumentInfo {
  std::string Title;
  std::string BaseHref;
  std::string BaseTarget;
};

// The frame-set tree as the parser builds it, in document order.
class TFrameSetBuilder {
 public:
  virtual ~TFrameSetBuilder() = default;
  // ROWS, COLS and the border attributes of a FRAMESET, first thing.
  virtual void ParseFrameDimensions(const TAttributeList& attributes) = 0;
  // A nested FRAMESET: a new child set, appended to this set's children.
  virtual TFrameSetBuilder& AddChildSet() = 0;
  // A FRAME; fileName is the frame-set document's and info its head so far,
  // for resolving SRC.
  virtual void AddFrame(const TAttributeList& attributes, const std::string& fileName,
                        const TFrameDocumentInfo& info) = 0;
  // After the FRAMESET's end tag or the end of input.
  virtual void EndFrameSet(const TFrameDocumentInfo& info) = 0;
};

// FRAMESET nesting followed inside one document, the top set counting as 1.
// Deeper sets are ignored with all they hold: each level is a panel inside
// the last, and deep widget trees grow costly to handle.
inline constexpr int MaxFrameSetDepth = 20;

// True when a FRAMESET comes before any body content. A file that cannot be
// opened raises; a parse error or any failure of another source answers false.
bool IsFrameDocument(const TDocumentSource& source, const TFrameParseHandlers& handlers);

// Parses the FRAMESET structure into set; true when a FRAMESET was parsed to
// its end. info receives the title and BASE of the document. For file
// sources only the tokenizer's parse error is swallowed; for the other
// sources any failure ends the parse and keeps what was built.
bool FrameParse(const TDocumentSource& source, TFrameSetBuilder& set,
                const TFrameParseHandlers& handlers, const std::string& fileName,
                TFrameDocumentInfo& info);

}  // namespace html
