#include "html/parse/document_parser.h"

#include <string>

#include "html/parse/html_parser.h"
#include "html/document/section_list.h"
#include "platform/core/stream.h"
#include "platform/core/string_list.h"

namespace html {

namespace {

// Plain text from memory goes through the line reader.
void TextFromMemory(const TParseRequest& request, cl::TStringList& lines) {
  if (request.Source == TParseRequest::FromBuffer) {
    lines.SetText(request.Buffer);
  } else if (request.Source == TParseRequest::FromStream && request.Stream) {
    std::string text;
    char block[4096];
    request.Stream->Seek(0, cl::TSeekOrigin::soBeginning);
    for (int32_t n; (n = request.Stream->Read(block, sizeof block)) > 0;) text.append(block, static_cast<size_t>(n));
    lines.SetText(text);
  }
}

}  // namespace

TParseResult ParseDocument(const TParseRequest& request) {
  TSectionList& document = *request.Document;
  cl::TStringList& names = *request.NameList;
  THtmlParseResult parsed;
  if (request.Kind == ftText) {
    if (request.Source == TParseRequest::FromFile) {
      TextParseFile(document, names, request.FileName);
    } else if (request.Source == TParseRequest::FromStrings && request.Strings) {
      TextParseStrings(document, names, *request.Strings);
    } else {
      cl::TStringList lines;
      TextFromMemory(request, lines);
      TextParseStrings(document, names, lines);
    }
    return {};
  }
  THtmlParseOptions options;
  options.Sender = request.Sender;
  if (request.OnMeta)
    options.OnMeta = [&request](cl::TObject*, const std::string& httpEq, const std::string& name,
                                const std::string& content) { request.OnMeta(httpEq, name, content); };
  options.OnSound = request.OnSoundRequest;
  if (request.OnScript)
    options.OnScript = [handler = request.OnScript](cl::TObject* sender, const std::string& language,
                                                    const std::string& script) {
      handler(sender, language, script.c_str());
    };
  if (request.OnInclude)
    options.OnInclude = [&request](cl::TObject* sender, const std::string& command, cl::TStrings& params) {
      std::string buffer;
      request.OnInclude(sender, command, &params, buffer);
      return buffer;
    };
  switch (request.Source) {
    case TParseRequest::FromFile: HtmlParseFile(document, names, request.FileName, options, parsed); break;
    case TParseRequest::FromBuffer:
      HtmlParseBuffer(document, names, request.Buffer.data(), static_cast<int32_t>(request.Buffer.size()), options,
                      parsed);
      break;
    case TParseRequest::FromStream:
      if (request.Stream) HtmlParseStream(document, names, *request.Stream, options, parsed);
      break;
    case TParseRequest::FromStrings:
      if (request.Strings) HtmlParseStrings(document, names, *request.Strings, options, parsed);
      break;
  }
  return {parsed.TitleText, parsed.BaseHref, parsed.BaseTarget};
}

}  // namespace html
