#include "utility/string_words.h"

#include <algorithm>

namespace utl {

namespace {

bool IsWordChar(std::string_view s, std::size_t position) { return !WORD_DELIM(s[position - 1]); }

// pos limited to 1..length(s); s is not empty.
std::size_t Limit(std::string_view s, std::uint16_t pos) {
  return std::clamp<std::size_t>(pos, 1, s.size());
}

}  // namespace

bool WORD_DELIM(char ch) {
  const unsigned char c = static_cast<unsigned char>(ch);
  const bool word = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' ||
                    (c >= 'a' && c <= 'z') || c == '~' || (c >= 128 && c <= 239);
  return !word;
}

std::string GET_WORD(std::string_view s, std::uint16_t pos) {
  if (s.empty()) return std::string();
  std::size_t p = Limit(s, pos);
  while (p > 1 && IsWordChar(s, p)) --p;
  const std::size_t start = IsWordChar(s, p) ? p : p + 1;
  std::size_t end = start;
  while (end <= s.size() && IsWordChar(s, end)) ++end;
  return std::string(s.substr(start - 1, end - start));
}

std::uint16_t WORD_LEFT(std::string_view s, std::uint16_t pos) {
  if (s.empty()) return 1;
  const std::size_t limited = Limit(s, pos);
  std::size_t p = limited == 1 ? 1 : limited - 1;
  while (p > 1 && !IsWordChar(s, p)) --p;
  while (p > 1 && IsWordChar(s, p)) --p;
  if (limited > 1 && !IsWordChar(s, p) && p < s.size() && IsWordChar(s, p + 1)) ++p;
  return static_cast<std::uint16_t>(p);
}

std::uint16_t WORD_RIGHT(std::string_view s, std::uint16_t pos) {
  if (s.empty()) return 1;
  std::size_t p = Limit(s, pos);
  while (p < s.size() && IsWordChar(s, p)) ++p;
  while (p < s.size() && !IsWordChar(s, p)) ++p;
  return static_cast<std::uint16_t>(p);
}

}  // namespace utl
