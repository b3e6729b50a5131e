#pragma once

#include <string>
#include <string_view>

// Small text helpers of the URL and id routines. A blank is character 32
// only, and case is ASCII case, as everywhere in the short-string routines.
namespace utl {

inline std::string TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

inline std::string LowerAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = LowerAscii(c);
  return s;
}

inline std::string UpperAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = UpperAscii(c);
  return s;
}

// Equal without ASCII case (the class library's CompareText giving 0).
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// Whether text begins with prefix, ASCII case ignored.
inline bool BeginsText(std::string_view prefix, std::string_view text) {
  return text.size() >= prefix.size() && SameText(prefix, text.substr(0, prefix.size()));
}

}  // namespace utl
