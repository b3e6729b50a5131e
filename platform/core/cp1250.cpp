#include "platform/core/cp1250.h"

#include <array>
#include <unordered_map>

namespace win {

namespace {

// Bytes 0x80..0xFF; 0 marks the undefined ones.
constexpr std::array<char16_t, 128> upperHalf = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

const std::unordered_map<char32_t, unsigned char>& ReverseTable() {
  static const auto table = [] {
    std::unordered_map<char32_t, unsigned char> t;
    for (unsigned i = 0; i < upperHalf.size(); ++i)
      if (upperHalf[i]) t.emplace(upperHalf[i], static_cast<unsigned char>(0x80 + i));
    return t;
  }();
  return table;
}

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

// Decodes one UTF-8 character at text[i], advancing i; nullopt when malformed.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  int extra;
  char32_t ch;
  if (lead < 0x80) { ++i; return lead; }
  if ((lead & 0xE0) == 0xC0) { extra = 1; ch = lead & 0x1F; }
  else if ((lead & 0xF0) == 0xE0) { extra = 2; ch = lead & 0x0F; }
  else if ((lead & 0xF8) == 0xF0) { extra = 3; ch = lead & 0x07; }
  else return std::nullopt;
  if (i + extra >= text.size()) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    const auto cont = static_cast<unsigned char>(text[i + k]);
    if ((cont & 0xC0) != 0x80) return std::nullopt;
    ch = (ch << 6) | (cont & 0x3F);
  }
  static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
  if (ch < minimum[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return std::nullopt;
  i += extra + 1;
  return ch;
}

}  // namespace

std::optional<char32_t> Cp1250ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  const char16_t ch = upperHalf[byte - 0x80];
  if (!ch) return std::nullopt;
  return ch;
}

std::optional<unsigned char> UnicodeToCp1250(char32_t ch) {
  if (ch < 0x80) return static_cast<unsigned char>(ch);
  const auto& table = ReverseTable();
  const auto it = table.find(ch);
  if (it == table.end()) return std::nullopt;
  return it->second;
}

std::u32string Cp1250ToU32(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (const char c : text) out += Cp1250ToUnicode(static_cast<unsigned char>(c)).value_or(U'?');
  return out;
}

std::string U32ToCp1250(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t ch : text) out += static_cast<char>(UnicodeToCp1250(ch).value_or('?'));
  return out;
}

std::string Cp1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) AppendUtf8(out, Cp1250ToUnicode(static_cast<unsigned char>(c)).value_or(U'?'));
  return out;
}

std::optional<std::string> Utf8ToCp1250(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto ch = NextUtf8(text, i);
    if (!ch) return std::nullopt;
    const auto byte = UnicodeToCp1250(*ch);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}

}  // namespace win
