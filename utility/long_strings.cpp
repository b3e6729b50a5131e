#include "utility/long_strings.h"

#include <cstring>

#include "utility/short_strings.h"

namespace utl {

namespace {

bool IsSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string LSFLBO(std::string_view s) {
  std::size_t first = 0;
  while (first < s.size() && IsSpace(s[first])) ++first;
  return std::string(s.substr(first));
}

std::string LSFTBO(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && IsSpace(s[end - 1])) --end;
  return std::string(s.substr(0, end));
}

std::string LSFTRIM(std::string_view s) { return LSFTBO(LSFLBO(s)); }

std::string LSFUPR(std::string_view s) { return STRUPR(s); }

std::string LSFLWR(std::string_view s) { return STRLWR(s); }

char* SZFWHITESPACES(char* p) {
  if (!p) return nullptr;
  for (char* c = p; *c; ++c)
    if (static_cast<unsigned char>(*c) < 32) *c = ' ';
  return p;
}

char* SZFTRIM(char* p) {
  if (!p) return nullptr;
  std::size_t end = std::strlen(p);
  while (end > 0 && p[end - 1] == ' ') --end;
  p[end] = '\0';
  std::size_t first = 0;
  while (first < end && p[first] == ' ') ++first;
  std::memmove(p, p + first, end - first + 1);
  return p;
}

}  // namespace utl
