#include "platform/core/blank_trim.h"

namespace cl {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// Plain loops: the set is a character or two, and the string_view searches
// call memchr over it once for each character looked at, which shows in a
// phone book's load (a few trims a line).
std::string_view TrimOf(std::string_view text, std::string_view blanks) {
  const auto isBlank = [blanks](char c) {
    for (const char blank : blanks)
      if (c == blank) return true;
    return false;
  };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  if (text.empty()) return {};
  while (isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace cl
