#include "utility/caret_notation.h"

#include "platform/core/short_string.h"
#include "utility/code_pages.h"
#include "utility/short_strings.h"

namespace utl {

std::string STRATC(std::string_view s) {
  std::string out;
  for (const char c : s) {
    if (out.size() >= ShortString::MaxLength) break;
    if (c == '^') {
      out += "^^";
    } else if (static_cast<unsigned char>(c) < 32) {
      out += '^';
      out += static_cast<char>(c + 64);
    } else {
      out += c;
    }
  }
  if (out.size() > ShortString::MaxLength) out.resize(ShortString::MaxLength);
  return out;
}

std::string STRCTA(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '^') {
      out += s[i];
      continue;
    }
    if (i + 1 == s.size()) break;
    const char next = s[++i];
    out += next == '^' ? '^' : static_cast<char>(static_cast<unsigned char>(UP895CASE(next)) - 64);
  }
  return out;
}

}  // namespace utl
