#include "utility/station_id.h"

#include <array>
#include <bit>

#include "utility/text_pieces.h"

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

// Upper case of code page 895, bytes 128 to 175; the code texts of older data
// were typed in that page.
constexpr std::array<std::uint8_t, 48> Upper895High{
    0x80, 0x9A, 0x90, 0x85, 0x8E, 0x85, 0x86, 0x80, 0x89, 0x89, 0x8A, 0x8B, 0x9C, 0x8A, 0x8E, 0x8F,
    0x90, 0x92, 0x92, 0xA7, 0x99, 0x95, 0xA6, 0x97, 0x9D, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x86,
    0x8F, 0x8B, 0x95, 0x97, 0xA5, 0xA5, 0xA6, 0xA7, 0x9B, 0x9E, 0xAB, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF};

int Upper895(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if (c >= 0x80 && c < 0x80 + Upper895High.size()) return Upper895High[c - 0x80];
  return c;
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
  const std::string s = UpperAscii(TrimBlanks(text));
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
  const int c1 = Upper895(static_cast<unsigned char>(text[first]));
  const int c2 = Upper895(static_cast<unsigned char>(text[first + 1]));
  // The remainders keep the sign of the dividend (C++ %), so a second character
  // below '@' lowers the code.
  if (c1 > 64) return static_cast<std::uint16_t>(((c1 - 64) * 32) % 1024 + (c2 - 64) % 32);
  if (c1 == '0') return static_cast<std::uint16_t>(992 + (79 - c2) % 32);
  return 0;
}

}  // namespace utl
