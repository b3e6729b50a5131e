#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "html/parse/html_tokenizer.h"
#include "platform/core/exception.h"
#include "platform/core/stream.h"
#include "platform/core/string_list.h"

namespace html {

class TFormControlBuilder;
class TSectionList;

// A parse was asked for while another one runs (from a handler the parser
// called, or from another thread). The running parse is not disturbed.
class EParserBusy : public cl::Exception {
 public:
  using cl::Exception::Exception;
};

// META: the values of HTTP-EQUIV, NAME and CONTENT (empty when absent).
using TMetaHandler = std::function<void(cl::TObject* sender, const std::string& httpEquiv,
                                        const std::string& name, const std::string& content)>;
// BGSOUND: the SRC, the LOOP count (1 without LOOP) and terminate = false.
using TSoundHandler =
    std::function<void(cl::TObject* sender, const std::string& src, int32_t loop, bool terminate)>;
// SCRIPT: the LANGUAGE and the script, lines ended by CR LF.
using TScriptHandler =
    std::function<void(cl::TObject* sender, const std::string& language, const std::string& script)>;

// What the caller hands the parser; every handler may stay unassigned.
struct THtmlParseOptions {
  cl::TObject* Sender = nullptr;  // Sender of all handler calls (the viewer)
  TMetaHandler OnMeta;
  TSoundHandler OnSound;
  TIncludeHandler OnInclude;
  TScriptHandler OnScript;
  // Makes the form controls; null: controls without windows (TParsedControlObj).
  TFormControlBuilder* Controls = nullptr;
};

// What a parse leaves for the viewer: TITLE text, BASE HREF and TARGET. It is
// filled as the parse goes, so it holds what was read also when an
// exception ends the parse.
struct THtmlParseResult {
  std::string TitleText;
  std::string BaseHref;
  std::string BaseTarget;
};

// The entry points. Each builds into document (its sections appended to the
// root) and adds "NAME" (upper-cased) of every <A NAME> to nameList with the
// section holding it as object. Input ends the parse quietly wherever it
// ends, also inside an unclosed comment, and what was built is kept. I/O
// errors and exceptions from handlers pass to the caller after the cleanup;
// the sections built so far stay in the document. One parse runs at a time:
// a second one raises EParserBusy.
void HtmlParseFile(TSectionList& document, cl::TStrings& nameList, const std::string& fileName,
                   const THtmlParseOptions& options, THtmlParseResult& result);
void HtmlParseBuffer(TSectionList& document, cl::TStrings& nameList, const char* buffer, int32_t size,
                     const THtmlParseOptions& options, THtmlParseResult& result);
void HtmlParseStrings(TSectionList& document, cl::TStrings& nameList, const cl::TStrings& strings,
                      const THtmlParseOptions& options, THtmlParseResult& result);
// Read from the stream's start.
void HtmlParseStream(TSectionList& document, cl::TStrings& nameList, cl::TStream& stream,
                     const THtmlParseOptions& options, THtmlParseResult& result);
// Plain text: every character as it stands, one preformatted line per line.
void TextParseFile(TSectionList& document, cl::TStrings& nameList, const std::string& fileName);
void TextParseStrings(TSectionList& document, cl::TStrings& nameList, const cl::TStrings& strings);

// The nesting the parser follows (DIV, CENTER, lists, block quotations,
// tables); opening tags deeper than this are ignored.
inline constexpr int MaxNestingDepth = 200;

}  // namespace html
