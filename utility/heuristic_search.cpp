#include "utility/heuristic_search.h"

namespace utl {

SearchTable STR2TABLE(std::string_view pattern) {
  SearchTable table{};
  for (std::size_t n = pattern.size(); n >= 1; --n)
    table[static_cast<unsigned char>(pattern[n - 1])] = static_cast<std::uint8_t>(n);
  return table;
}

std::int32_t HEURISTICSEARCH(std::string_view pattern, std::string_view text,
                             const SearchTable& table) {
  if (pattern.empty() || text.empty()) return 0;
  const auto length = static_cast<std::int64_t>(pattern.size());
  const auto textLength = static_cast<std::int64_t>(text.size());
  // Scans leftwards from the last character; p is 1-based.
  for (std::int64_t p = textLength; p >= 1;) {
    const int k = table[static_cast<unsigned char>(text[static_cast<std::size_t>(p - 1)])];
    if (k == 1) {
      if (p - 1 + length <= textLength &&
          text.substr(static_cast<std::size_t>(p - 1), pattern.size()) == pattern)
        return static_cast<std::int32_t>(p);
      --p;
    } else if (k == 0) {
      p -= length;
    } else {
      p -= k - 1;
    }
  }
  return 0;
}

}  // namespace utl
