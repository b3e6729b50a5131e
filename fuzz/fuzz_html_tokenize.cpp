// Tokenizes arbitrary bytes through every reader and source kind; the first
// byte picks the reader and source. Every token must consume input, so the
// token count is bounded by the input size.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "html/parse/html_tokenizer.h"
#include "platform/core/memory_stream.h"
#include "platform/core/string_list.h"

using namespace html;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);

  THtmlTokenizer tokenizer;
  tokenizer.InPre = (mode & 0x10) != 0;
  if (mode & 0x20)
    tokenizer.IncludeHandler = [](cl::TObject*, const std::string& command, cl::TStrings& params) {
      return command.empty() ? std::string() : "<B>" + command + "</B>&amp;" + std::to_string(params.Count());
    };
  cl::TStringList lines;
  cl::TMemoryStream stream;
  switch (mode & 3) {
    case 0:
      tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
      break;
    case 1:
      lines.SetText(input);
      tokenizer.OpenStrings(lines);
      break;
    default:
      stream.WriteBuffer(input.data(), static_cast<std::int32_t>(input.size()));
      stream.SetPosition(0);
      tokenizer.OpenStream(stream);
      break;
  }
  const std::size_t limit = 16 * (input.size() + 1) + 64;
  try {
    tokenizer.Start();
    for (std::size_t n = 0; tokenizer.CurrentSymbol() != EofSy; ++n) {
      if (n > limit) std::abort();  // a token that consumed nothing
      if (tokenizer.TokenText().size() > THtmlTokenizer::tokenCapacity) std::abort();
      switch ((mode >> 2) & 3) {
        case 1: tokenizer.NextTextAreaToken(); break;
        case 2: tokenizer.NextScriptToken(); break;
        default: tokenizer.Next(); break;
      }
    }
  } catch (const EParseError&) {
  }
  return 0;
}
