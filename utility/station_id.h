#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace utl {

// A station of the suite's network: bits 0-3 sub-index, bit 4 parity of bits
// 0-3 and 6-15, bit 5 parity of bits 16-31, bits 6-15 the UTO code, bits 16-31
// the station number less 134464.
using tSID = std::uint32_t;

inline constexpr tSID NullSid = 0x30;
inline constexpr std::uint32_t FirstStationNumber = 134464;

bool ISSIDVALID(tSID sid);
// Sets the sub-index and both parity bits; the null id stays as it is.
tSID COMPLETESID(tSID sid, std::uint16_t subIndex);
// Moves the sub-index out of sid.
void SPLITSID(tSID& sid, std::uint8_t& subIndex);
std::uint16_t UTOASEXTINSID(tSID sid);
// The station id text, or "NO_SID" for the null id and ids with wrong parity.
std::string STRSID(tSID sid);
std::string STRSIDSHORT(tSID sid);
// The id of a station id text (sub-index 0); nothing when the text is none.
std::optional<tSID> VALSID(std::string_view text);
tSID ASMSID(std::uint16_t extCode, std::uint16_t numberField, std::uint16_t subIndex);
// Orders by UTO code, then number; sub-index and parity do not count.
std::int32_t CMPSID(tSID a, tSID b);

std::uint16_t UTOCODETOEXTCODE(std::uint16_t utoCode);
std::uint16_t EXTCODETOUTOCODE(std::uint16_t extCode);
// The two-character code text of an external code.
std::string STRUTOCODE(std::uint16_t extCode);
// The UTO code of a code text, 0 when it is none.
std::uint16_t VALUTOCODE(std::string_view text);

}  // namespace utl
