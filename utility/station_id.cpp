#include "utility/station_id.h"

#include <bit>

#include "utility/code_pages.h"
#include "utility/short_strings.h"

namespace utl {
namespace {

constexpr std::uint32_t CodeMask = 0x3FF;

std::uint32_t UtoCodeOf(tSID sid) { return (sid >> 6) & CodeMask; }
std::uint32_t NumberFieldOf(tSID sid) { return sid >> 16; }

// The two parity bits (4 and 5) that the other bits of sid call for.
tSID ParityBits(tSID sid) {
  const tSID lowBits = sid & 0xFFCF;
  tSID bits = 0;
  if (std::popcount(lowBits) & 1) bits |= 0x10;
  if (std::popcount(sid >> 16) & 1) bits |= 0x20;
  return bits;
}

bool IsCodeCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

}  // namespace

bool ISSIDVALID(tSID sid) { return (sid & 0x30) == ParityBits(sid); }

tSID COMPLETESID(tSID sid, std::uint16_t subIndex) {
  if (CMPSID(sid, NullSid) == 0) return sid;
  const tSID bare = (sid & ~tSID{0x3F}) | (subIndex & 15u);
  return bare | ParityBits(bare);
}

void SPLITSID(tSID& sid, std::uint8_t& subIndex) {
  subIndex = static_cast<std::uint8_t>(sid & 15);
  sid &= ~tSID{15};
}

std::uint16_t UTOASEXTINSID(tSID sid) {
  return UTOCODETOEXTCODE(static_cast<std::uint16_t>(UtoCodeOf(sid)));
}

std::string STRSIDSHORT(tSID sid) {
  return std::to_string(NumberFieldOf(sid) + FirstStationNumber) + STRUTOCODE(UTOASEXTINSID(sid));
}

std::string STRSID(tSID sid) {
  if (!ISSIDVALID(sid) || CMPSID(sid, NullSid) == 0) return "NO_SID";
  return STRSIDSHORT(sid);
}

std::optional<tSID> VALSID(std::string_view text) {
  const std::string s = STRUPR(STRTRIM(text));
  if (s.size() < 7) return std::nullopt;
  const std::string_view numberText = std::string_view(s).substr(0, s.size() - 2);
  const std::string_view codeText = std::string_view(s).substr(s.size() - 2);

  std::uint32_t number = 0;
  for (const char c : numberText) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::uint32_t>(c - '0');
    if (number > 199999) return std::nullopt;
  }
  if (number < FirstStationNumber) return std::nullopt;
  if (!IsCodeCharacter(codeText[0]) || !IsCodeCharacter(codeText[1])) return std::nullopt;
  const std::uint16_t utoCode = VALUTOCODE(codeText);
  if (utoCode == 0) return std::nullopt;
  return COMPLETESID(((number - FirstStationNumber) << 16) | (tSID{utoCode} << 6), 0);
}

tSID ASMSID(std::uint16_t extCode, std::uint16_t numberField, std::uint16_t subIndex) {
  // An external code beyond 10 bits must not spill into the number field.
  const tSID code = EXTCODETOUTOCODE(extCode) & CodeMask;
  return COMPLETESID((tSID{numberField} << 16) | (code << 6), subIndex);
}

std::int32_t CMPSID(tSID a, tSID b) {
  const auto keyA = (UtoCodeOf(a) << 16) | NumberFieldOf(a);
  const auto keyB = (UtoCodeOf(b) << 16) | NumberFieldOf(b);
  if (keyA < keyB) return -1;
  return keyA == keyB ? 0 : 1;
}

std::uint16_t UTOCODETOEXTCODE(std::uint16_t utoCode) {
  return utoCode < 1000 ? utoCode : static_cast<std::uint16_t>(1023 - utoCode);
}

std::uint16_t EXTCODETOUTOCODE(std::uint16_t extCode) {
  return extCode >= 32 ? extCode : static_cast<std::uint16_t>(1023 - extCode);
}

std::string STRUTOCODE(std::uint16_t extCode) {
  if (extCode < 32) return {'0', static_cast<char>('0' + extCode)};
  if (extCode < 1000)
    return {static_cast<char>(64 + extCode / 32), static_cast<char>(64 + extCode % 32)};
  return "??";
}

std::uint16_t VALUTOCODE(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos || text.size() - first < 2) return 0;
  // Codes typed in code page 895 count in its upper case.
  const int c1 = static_cast<unsigned char>(UP895CASE(text[first]));
  const int c2 = static_cast<unsigned char>(UP895CASE(text[first + 1]));
  // The remainders keep the sign of the dividend (C++ %), so a second character
  // below '@' lowers the code.
  if (c1 > 64) return static_cast<std::uint16_t>(((c1 - 64) * 32) % 1024 + (c2 - 64) % 32);
  if (c1 == '0') return static_cast<std::uint16_t>(992 + (79 - c2) % 32);
  return 0;
}

}  // namespace utl
