#pragma once

#include <functional>
#include <string>
#include <vector>

#include "html/parse/html_tokenizer.h"

namespace html {

// One token as the tests compare it: symbol, text and "CODE=value/number" for
// each attribute the tokenizer collected for it.
struct Tok {
  HtmlSymbol sym;
  std::string text;
  std::vector<std::string> attrs;
  bool operator==(const Tok&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Tok& tok);

// Every token of an opened tokenizer up to and including EofSy, each with the
// attribute list it left; advance reads the next token (Next when not given).
std::vector<Tok> Drain(THtmlTokenizer& tokenizer, const std::function<void()>& advance = nullptr);

enum class Kind { Buffer, File, Strings, Stream };
const char* KindName(Kind kind);

// Tokenizes input through one source kind. Strings get the input's lines
// (TStrings::SetText); the others its bytes.
std::vector<Tok> TokenizeAs(Kind kind, const std::string& input);

}  // namespace html
