#include "platform/core/ansi_case.h"

#include <array>

namespace cl {

namespace {

struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
};

// Code page 1250 lower/upper pairs outside ASCII.
constexpr unsigned char pairs[][2] = {
    {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},  // š ś ť ž ź
    {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBE, 0xBC}, {0xBF, 0xAF},  // ł ą ş ľ ż
};

const CaseTables& Tables() {
  static const CaseTables tables = [] {
    CaseTables t;
    for (int i = 0; i < 256; ++i) t.upper[i] = t.lower[i] = static_cast<unsigned char>(i);
    for (int c = 'a'; c <= 'z'; ++c) {
      t.upper[c] = static_cast<unsigned char>(c - 32);
      t.lower[c - 32] = static_cast<unsigned char>(c);
    }
    for (const auto& p : pairs) {
      t.upper[p[0]] = p[1];
      t.lower[p[1]] = p[0];
    }
    // 0xE0..0xFE are the lower-case letters of 0xC0..0xDE, except ÷ (0xF7) and × (0xD7).
    for (int c = 0xE0; c <= 0xFE; ++c) {
      if (c == 0xF7) continue;
      t.upper[c] = static_cast<unsigned char>(c - 0x20);
      t.lower[c - 0x20] = static_cast<unsigned char>(c);
    }
    return t;
  }();
  return tables;
}

}  // namespace

char AnsiUpperChar(char ch) {
  return static_cast<char>(Tables().upper[static_cast<unsigned char>(ch)]);
}

char AnsiLowerChar(char ch) {
  return static_cast<char>(Tables().lower[static_cast<unsigned char>(ch)]);
}

std::string AnsiUpperCase(std::string_view text) {
  std::string out(text);
  for (auto& ch : out) ch = AnsiUpperChar(ch);
  return out;
}

std::string AnsiLowerCase(std::string_view text) {
  std::string out(text);
  for (auto& ch : out) ch = AnsiLowerChar(ch);
  return out;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
  const auto& upper = Tables().upper;
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = upper[static_cast<unsigned char>(a[i])];
    const int cb = upper[static_cast<unsigned char>(b[i])];
    if (ca != cb) return ca - cb;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
  const int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace cl
