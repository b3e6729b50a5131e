#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace cl {
class TObject;
class TStream;
class TStrings;
class TStringList;
}  // namespace cl

namespace html {

class TSectionList;

enum THtmlFileType : uint8_t { ftHTML, ftText, ftImage };

using TSoundType = std::function<void(cl::TObject* sender, const std::string& src, int loop, bool terminate)>;
using TIncludeType =
    std::function<void(cl::TObject* sender, const std::string& command, cl::TStrings* params, std::string& buffer)>;
using TScriptEvent = std::function<void(cl::TObject* sender, const std::string& language, const char* script)>;

// What a load hands to the parser, and what it gives back.
struct TParseRequest {
  THtmlFileType Kind = ftHTML;
  enum TSource : uint8_t { FromFile, FromBuffer, FromStream, FromStrings } Source = FromFile;
  std::string FileName;
  std::string_view Buffer;
  cl::TStream* Stream = nullptr;
  const cl::TStrings* Strings = nullptr;
  TSectionList* Document = nullptr;
  cl::TStringList* NameList = nullptr;
  // The handlers' sender (the viewer that loads).
  cl::TObject* Sender = nullptr;
  // HTML only: the meta callback (the viewer's HandleMetaRefresh), sound, script and include.
  std::function<void(const std::string& httpEq, const std::string& name, const std::string& content)> OnMeta;
  TSoundType OnSoundRequest;
  TScriptEvent OnScript;
  TIncludeType OnInclude;
};
struct TParseResult {
  std::string Title;
  std::string Base;
  std::string BaseTarget;
};
using TDocumentParser = std::function<TParseResult(const TParseRequest& request)>;

// The viewer's parse step over the parser's entry points: HTML or plain text
// from the request's source, with the request's handlers.
TParseResult ParseDocument(const TParseRequest& request);

}  // namespace html
