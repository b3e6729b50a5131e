#include "dialogs/safe_format.h"

#include <algorithm>
#include <optional>

#include "platform/core/short_string.h"

namespace dlg {

namespace {

struct Conversion {
  bool left = false;
  bool plus = false;
  bool blank = false;
  bool zero = false;
  std::size_t width = 0;
  std::optional<std::size_t> precision;
  char kind = 0;
};

// Reads digits; widths beyond a short string are cut, since the result is.
std::size_t ReadNumber(std::string_view pattern, std::size_t& pos) {
  std::size_t value = 0;
  while (pos < pattern.size() && pattern[pos] >= '0' && pattern[pos] <= '9') {
    value = std::min<std::size_t>(value * 10 + static_cast<std::size_t>(pattern[pos] - '0'),
                                  ShortString::MaxLength + 1);
    ++pos;
  }
  return value;
}

// The conversion starting after the '%' at pos; nullopt when it is none we take.
std::optional<Conversion> ReadConversion(std::string_view pattern, std::size_t& pos) {
  Conversion c;
  for (; pos < pattern.size(); ++pos) {
    const char f = pattern[pos];
    if (f == '-') c.left = true;
    else if (f == '+') c.plus = true;
    else if (f == ' ') c.blank = true;
    else if (f == '0') c.zero = true;
    else break;
  }
  c.width = ReadNumber(pattern, pos);
  if (pos < pattern.size() && pattern[pos] == '.') {
    ++pos;
    c.precision = ReadNumber(pattern, pos);
  }
  if (pos >= pattern.size()) return std::nullopt;
  c.kind = pattern[pos++];
  if (c.kind != 'd' && c.kind != 'i' && c.kind != 's') return std::nullopt;
  return c;
}

std::string Render(const Conversion& c, std::int32_t count) {
  const std::int64_t value = count;
  std::string digits = std::to_string(value < 0 ? -value : value);
  std::string body;
  if (c.kind == 's') {
    body = std::to_string(value);
    if (c.precision && *c.precision < body.size()) body.resize(*c.precision);
  } else {
    if (c.precision) {
      if (*c.precision == 0 && value == 0) digits.clear();
      if (digits.size() < *c.precision) digits.insert(0, *c.precision - digits.size(), '0');
    }
    const std::string sign = value < 0 ? "-" : c.plus ? "+" : c.blank ? " " : "";
    if (c.zero && !c.left && !c.precision && sign.size() + digits.size() < c.width)
      digits.insert(0, c.width - sign.size() - digits.size(), '0');
    body = sign + digits;
  }
  if (body.size() < c.width) {
    const std::string pad(c.width - body.size(), ' ');
    body = c.left ? body + pad : pad + body;
  }
  return body;
}

}  // namespace

std::string FormatCount(std::string_view pattern, std::int32_t count) {
  std::string out;
  bool used = false;
  for (std::size_t pos = 0; pos < pattern.size();) {
    if (pattern[pos] != '%') {
      out += pattern[pos++];
      continue;
    }
    if (pos + 1 < pattern.size() && pattern[pos + 1] == '%') {
      out += '%';
      pos += 2;
      continue;
    }
    std::size_t after = pos + 1;
    const std::optional<Conversion> conversion = ReadConversion(pattern, after);
    if (!conversion || used) return std::string(pattern.substr(0, ShortString::MaxLength));
    out += Render(*conversion, count);
    used = true;
    pos = after;
  }
  if (out.size() > ShortString::MaxLength) out.resize(ShortString::MaxLength);
  return out;
}

}  // namespace dlg
