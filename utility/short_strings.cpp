#include "utility/short_strings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/core/short_string.h"

namespace utl {

namespace {

constexpr auto npos = std::string_view::npos;

std::string Cut(std::string s) {
  if (s.size() > ShortString::MaxLength) s.resize(ShortString::MaxLength);
  return s;
}

// Blanks to pad s up to width, never beyond the 255-character limit.
std::size_t PadCount(std::size_t length, std::int32_t width) {
  const std::int64_t wanted = std::min<std::int64_t>(width, ShortString::MaxLength);
  return wanted > static_cast<std::int64_t>(length) ? static_cast<std::size_t>(wanted) - length : 0;
}

bool BothInOrder(std::string_view s, char ch1, char ch2, std::size_t& p1, std::size_t& p2) {
  p1 = s.find(ch1);
  p2 = s.find(ch2);
  return p1 != npos && p2 != npos && p1 < p2;
}

}  // namespace

int STRCMP(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  const int c = common ? std::memcmp(a.data(), b.data(), common) : 0;
  if (c != 0) return c < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool STRBEGIN(std::string_view prefix, std::string_view s) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (AsciiLower(prefix[i]) != AsciiLower(s[i])) return false;
  return true;
}

bool STRWLDCMP(std::string_view s, std::string_view pattern) {
  std::string subject(s);
  std::string pat(pattern);
  // "*" takes the subject's own tail, so only the part before it is compared,
  // lower-cased; the subject is never lower-cased.
  if (const std::size_t star = pat.find('*'); star != std::string::npos) {
    std::string head = STRLWR(std::string_view(pat).substr(0, star));
    if (star < subject.size()) head += subject.substr(star);
    pat = std::move(head);
  }
  if (const std::size_t first = pat.find('?'); first != std::string::npos) {
    const std::size_t end = std::min(subject.size(), pat.size());
    for (std::size_t i = first; i < end; ++i)
      if (pat[i] == '?') subject[i] = '?';
  }
  return subject == pat;
}

int STRWEQCMP(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return static_cast<int>(i);
}

bool CMPID(std::span<const char> field, std::string_view s) {
  return s.size() == field.size() && std::equal(field.begin(), field.end(), s.begin());
}

void FILLID(std::span<char> field, std::string_view s) {
  std::fill(field.begin(), field.end(), '\0');
  const std::size_t n = std::min(field.size(), s.size());
  std::copy_n(s.begin(), n, field.begin());
}

std::string STRLBO(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  return first == npos ? std::string() : std::string(s.substr(first));
}

std::string STRTBO(std::string_view s) {
  const std::size_t last = s.find_last_not_of(' ');
  return last == npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string STRTRIM(std::string_view s) { return STRTBO(STRLBO(s)); }

std::string STRABO(std::string_view s) { return STRDELCHR(' ', s); }

std::string STRRBO(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] != ' ' || i == 0 || s[i - 1] != ' ') out += s[i];
  return out;
}

std::string STRLZO(std::string_view s) {
  const std::string unblanked = STRLBO(s);
  const std::size_t first = unblanked.find_first_not_of(" 0");
  if (first != std::string::npos) return unblanked.substr(first);
  return !unblanked.empty() && unblanked[0] == '0' ? "0" : "";
}

std::string STRLB0(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c != ' ') break;
    c = '0';
  }
  return out;
}

CutResult STRCUTBTO(char ch, std::string_view s) {
  const std::size_t p = s.find(ch);
  if (p == npos) return {std::string(s), std::string()};
  return {STRTBO(s.substr(0, p)), STRLBO(s.substr(p + 1))};
}

CutResult STRCUTBTL(std::int32_t n, std::string_view s) {
  const std::size_t at = static_cast<std::size_t>(std::clamp<std::int64_t>(n, 0, s.size()));
  return {STRTBO(s.substr(0, at)), STRLBO(s.substr(at))};
}

std::string STRDELBTO(char ch, std::string_view s) {
  const std::size_t p = s.find(ch);
  return std::string(p == npos ? s : s.substr(p));
}

std::string STRDELBTW(char ch, std::string_view s) {
  const std::size_t p = s.find(ch);
  return std::string(p == npos ? s : s.substr(p + 1));
}

std::string STRDELETO(char ch, std::string_view s) {
  const std::size_t p = s.rfind(ch);
  return std::string(p == npos ? s : s.substr(0, p + 1));
}

std::string STRDELETW(char ch, std::string_view s) {
  const std::size_t p = s.rfind(ch);
  return std::string(p == npos ? s : s.substr(0, p));
}

std::string STRDELFTO(char ch1, char ch2, std::string_view s) {
  std::size_t p1, p2;
  if (!BothInOrder(s, ch1, ch2, p1, p2)) return std::string(s);
  return std::string(s.substr(0, p1 + 1)) + std::string(s.substr(p2));
}

std::string STRDELFTW(char ch1, char ch2, std::string_view s) {
  std::size_t p1, p2;
  if (!BothInOrder(s, ch1, ch2, p1, p2)) return std::string(s);
  return std::string(s.substr(0, p1)) + std::string(s.substr(p2 + 1));
}

std::string STRCPYBTO(char ch, std::string_view s) {
  const std::size_t p = s.find(ch);
  return std::string(p == npos ? s : s.substr(0, p));
}

std::string STRCPYBTW(char ch, std::string_view s) {
  const std::size_t p = s.find(ch);
  return std::string(p == npos ? s : s.substr(0, p + 1));
}

std::string STRCPYETO(char ch, std::string_view s) {
  const std::size_t p = s.rfind(ch);
  return std::string(p == npos ? s : s.substr(p + 1));
}

std::string STRCPYETW(char ch, std::string_view s) {
  // From the first marker, not the last: callers take the tail of a path this way.
  const std::size_t p = s.find(ch);
  return std::string(p == npos ? s : s.substr(p));
}

std::string STRCPYFTO(char ch1, char ch2, std::string_view s) {
  std::size_t p1, p2;
  if (!BothInOrder(s, ch1, ch2, p1, p2)) return std::string(s);
  return std::string(s.substr(p1 + 1, p2 - p1 - 1));
}

std::string STRCPYFTW(char ch1, char ch2, std::string_view s) {
  std::size_t p1, p2;
  if (!BothInOrder(s, ch1, ch2, p1, p2)) return std::string(s);
  return std::string(s.substr(p1, p2 - p1 + 1));
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string STRUPR(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), AsciiUpper);
  return out;
}

std::string STRLWR(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
  return out;
}

std::string STRLEFT(std::string_view s, std::int32_t width) {
  return Cut(std::string(s) + std::string(PadCount(s.size(), width), ' '));
}

std::string STRRIGHT(std::string_view s, std::int32_t width) {
  // Blanks go in front, so a width beyond 255 cuts s itself off.
  const std::int64_t pad = static_cast<std::int64_t>(width) - static_cast<std::int64_t>(s.size());
  if (pad <= 0) return std::string(s);
  const auto blanks = static_cast<std::size_t>(std::min<std::int64_t>(pad, ShortString::MaxLength));
  return Cut(std::string(blanks, ' ') + std::string(s));
}

std::string STRCNTR(std::string_view s, std::int32_t width) {
  if (static_cast<std::int64_t>(s.size()) >= width) return std::string(s);
  // The left side gets one blank more than the even split.
  const std::int64_t lead = (static_cast<std::int64_t>(width) - static_cast<std::int64_t>(s.size())) / 2 + 1;
  std::string out(static_cast<std::size_t>(std::min<std::int64_t>(lead, ShortString::MaxLength)), ' ');
  out += s;
  out = Cut(std::move(out));
  out.append(PadCount(out.size(), width), ' ');
  return out;
}

std::string STRSHRNK(std::string_view s, std::int32_t n) {
  if (static_cast<std::int64_t>(s.size()) <= n) return std::string(s);
  // Too narrow for text around the dots: as many dots as fit.
  if (n < 4) return std::string(static_cast<std::size_t>(std::max(n, 0)), '.');
  const std::size_t k = static_cast<std::size_t>(n / 4);
  const std::size_t tail = static_cast<std::size_t>(n) - k - 2;
  return std::string(s.substr(0, k - 1)) + "..." + std::string(s.substr(s.size() - tail));
}

std::string STRTRUNC(std::string_view s, std::int32_t n) {
  if (static_cast<std::int64_t>(s.size()) <= n) return std::string(s);
  if (n < 3) return std::string(static_cast<std::size_t>(std::max(n, 0)), '.');
  return std::string(s.substr(0, static_cast<std::size_t>(n) - 3)) + "...";
}

std::string STRDBLCHAR(std::string_view s, char ch) {
  std::string out;
  for (const char c : s) {
    out += c;
    if (c == ch) out += ch;
  }
  return Cut(std::move(out));
}

std::string STRREPL(char from, char to, std::string_view s) {
  std::string out(s);
  std::replace(out.begin(), out.end(), from, to);
  return out;
}

std::string STRDELCHR(char ch, std::string_view s) {
  std::string out(s);
  std::erase(out, ch);
  return out;
}

std::string STRACC(std::string_view s, char ch) {
  if (!s.empty() && s.back() == ch) return std::string(s);
  return Cut(std::string(s) + ch);
}

std::string STRDCC(std::string_view s, char ch) {
  if (!s.empty() && s.back() == ch) return std::string(s.substr(0, s.size() - 1));
  return std::string(s);
}

std::string STRSUBPAR(std::string_view s, std::string_view name, std::string_view value) {
  std::string result = Cut(std::string(s));
  if (name.empty()) return result;
  const std::string lowerName = STRLWR(name);
  // The search goes on behind each inserted value, so a value that holds the
  // name (or forms it with its surroundings) is not replaced again.
  std::size_t from = 0;
  for (;;) {
    const std::size_t p = STRLWR(result).find(lowerName, from);
    if (p == std::string::npos) break;
    result.replace(p, name.size(), value);
    result = Cut(std::move(result));
    from = p + value.size();
  }
  return result;
}

std::string STRSET(const std::uint8_t* set, std::int32_t count) {
  if (!set) return std::string();
  const int limit = std::clamp(count, 0, 256);
  const auto in = [set](int e) { return (set[e >> 3] >> (e & 7)) & 1; };
  std::string text;
  char piece[16];
  for (int i = 0; i < limit; ++i) {
    if (!in(i)) continue;
    int last = i;
    while (last + 1 < limit && in(last + 1)) ++last;
    if (last == i)
      std::snprintf(piece, sizeof piece, "%d,", i);
    else
      std::snprintf(piece, sizeof piece, "%d..%d,", i, last);
    text += piece;
    i = last;
  }
  if (!text.empty()) text.pop_back();
  return Cut(std::move(text));
}

std::string STRSUB(std::string_view a, std::string_view b) {
  const std::string_view minuend = a.size() > b.size() ? a : b;
  const std::string_view subtrahend = a.size() > b.size() ? b : a;
  std::string out(minuend);
  for (std::size_t i = 0; i < subtrahend.size(); ++i)
    out[i] = static_cast<char>(static_cast<unsigned char>(minuend[i]) -
                               static_cast<unsigned char>(subtrahend[i]) + 32);
  return STRLBO(out);
}

std::string EXPANDTABS(std::string_view s, std::int32_t width) {
  const std::int64_t w = std::max(width, 1);
  std::string out;
  for (const char c : s) {
    if (out.size() >= ShortString::MaxLength) break;
    if (c != '\t') {
      out += c;
      continue;
    }
    const std::int64_t column = static_cast<std::int64_t>(out.size()) + 1;
    const std::int64_t blanks = w - column % w;
    const std::int64_t room = static_cast<std::int64_t>(ShortString::MaxLength - out.size());
    out.append(static_cast<std::size_t>(std::min(blanks, room)), ' ');
  }
  return out;
}

}  // namespace utl
