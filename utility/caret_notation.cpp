#include "utility/caret_notation.h"

#include "utility/short_strings.h"

namespace utl {

std::string STRATC(std::string_view s) {
  std::string out;
  for (const char c : s) {
    if (out.size() >= kShortStringMax) break;
    if (c == '^') {
      out += "^^";
    } else if (static_cast<unsigned char>(c) < 32) {
      out += '^';
      out += static_cast<char>(c + 64);
    } else {
      out += c;
    }
  }
  if (out.size() > kShortStringMax) out.resize(kShortStringMax);
  return out;
}

}  // namespace utl
