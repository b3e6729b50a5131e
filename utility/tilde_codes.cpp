#include "utility/tilde_codes.h"

#include <algorithm>

namespace utl {
namespace {

bool IsAttributeCode(std::string_view s, std::size_t i) {
  return s[i] == '~' && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '>';
}

// The closing bracket of an opening one, 0 for any other character.
char ClosingBracket(char opening) {
  switch (static_cast<unsigned char>(opening)) {
    case '(': return ')';
    case '[': return ']';
    case '{': return '}';
    case 187: return static_cast<char>(171);
    default: return 0;
  }
}

}  // namespace

std::string TILDACODETEXT(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (IsAttributeCode(s, i)) {
      ++i;
      continue;
    }
    out += s[i];
  }
  return out;
}

std::size_t TILDACODELENGTH(std::string_view s) { return TILDACODETEXT(s).size(); }

std::string TILDATOGGLETEXT(std::string_view s) {
  std::string out(s);
  out.erase(std::remove(out.begin(), out.end(), '~'), out.end());
  return out;
}

std::size_t TILDATOGGLELENGTH(std::string_view s) {
  return s.size() - static_cast<std::size_t>(std::count(s.begin(), s.end(), '~'));
}

std::string TILDAREFERENCE(std::string_view s) {
  std::string rest(s);
  std::string out;
  while (!rest.empty()) {
    const std::size_t tilde = std::min(rest.find('~'), rest.size());
    out.append(rest, 0, tilde);
    rest.erase(0, tilde);

    if (rest.size() > 4 && rest[0] == '~' && ClosingBracket(rest[1]) != 0) {
      // A reference shows at least one character and hides a target of 1 to
      // 11 characters between its colon and its closing bracket.
      const std::size_t colon = rest.find(':');
      const std::size_t close = rest.find(ClosingBracket(rest[1]));
      const bool isReference = colon != std::string::npos && close != std::string::npos &&
                               close > colon + 1 && close - colon < 13 && colon >= 3;
      if (isReference) {
        rest.erase(colon, close - colon + 1);
        rest.erase(0, 2);
      } else {
        out.append(rest, 0, 2);
        rest.erase(0, 2);
      }
    }
    if (!rest.empty() && rest[0] == '~') {
      out += '~';
      rest.erase(0, 1);
    }
  }
  return out;
}

}  // namespace utl
