#include "utility/base62.h"

#include <string_view>

namespace utl {
namespace {

constexpr std::string_view Digits =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 36;
  return -1;
}

}  // namespace

std::string STRB62(std::uint32_t value) {
  std::string text;
  do {
    text.insert(text.begin(), Digits[value % 62]);
    value /= 62;
  } while (value != 0);
  return text;
}

std::int32_t VALB62(std::string_view s) {
  std::int64_t value = 0;
  for (const char c : s) {
    const int digit = DigitValue(c);
    if (digit < 0) return -1;
    value = value * 62 + digit;
    if (value > 0x7FFFFFFF) return -1;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace utl
