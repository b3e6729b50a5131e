#include "tokenizer_harness.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <ostream>

#include "platform/core/memory_stream.h"
#include "platform/core/test_support/temp_directory.h"

namespace html {

std::ostream& operator<<(std::ostream& out, const Tok& tok) {
  out << "{" << int(tok.sym) << ", \"" << tok.text << "\"";
  for (const auto& a : tok.attrs) out << ", " << a;
  return out << "}";
}

std::vector<Tok> Drain(THtmlTokenizer& tokenizer, const std::function<void()>& advance) {
  std::vector<Tok> out;
  for (int guard = 0; guard < 100000; ++guard) {
    Tok tok{tokenizer.CurrentSymbol(), tokenizer.TokenText(), {}};
    // Taking the list after every token leaves only what the tokenizer itself
    // collected for the next one: a tag it gives no attributes shows none.
    for (const auto& a : tokenizer.TakeAttributeList())
      tok.attrs.push_back(std::to_string(int(a->Code)) + "=" + a->StrValue + "/" + std::to_string(a->IntValue));
    if (tok.sym == HSy || tok.sym == HEndSy) tok.text = "h" + std::to_string(tokenizer.HeadingLevel());
    out.push_back(tok);
    if (tok.sym == EofSy) break;
    if (advance)
      advance();
    else
      tokenizer.Next();
  }
  return out;
}

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Buffer: return "buffer";
    case Kind::File: return "file";
    case Kind::Strings: return "strings";
    case Kind::Stream: return "stream";
  }
  return "?";
}

std::vector<Tok> TokenizeAs(Kind kind, const std::string& input) {
  THtmlTokenizer tokenizer;
  switch (kind) {
    case Kind::Buffer: {
      tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
      tokenizer.Start();
      return Drain(tokenizer);
    }
    case Kind::File: {
      const cl::testing::TempDirectory temp;
      tokenizer.OpenFile(temp.Write("tokens", input));
      tokenizer.Start();
      auto tokens = Drain(tokenizer);
      tokenizer.Close();
      return tokens;
    }
    case Kind::Strings: {
      cl::TStringList lines;
      lines.SetText(input);
      tokenizer.OpenStrings(lines);
      tokenizer.Start();
      return Drain(tokenizer);
    }
    case Kind::Stream: {
      cl::TMemoryStream stream;
      stream.WriteBuffer(input.data(), static_cast<std::int32_t>(input.size()));
      stream.SetPosition(0);
      tokenizer.OpenStream(stream);
      tokenizer.Start();
      return Drain(tokenizer);
    }
  }
  return {};
}

}  // namespace html
