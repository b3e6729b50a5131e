#pragma once

#include <cstdint>
#include <string>

// Day numbers from 1 January 1980, date-time records, packed DOS times, the
// current time in each form, the tick counter and the message-pumping delay.
namespace utl {

#pragma pack(push, 1)
struct tDateTimeRec {
  std::uint16_t year, month, day, hour, minute, second;
};
#pragma pack(pop)
static_assert(sizeof(tDateTimeRec) == 12);

using PackedTime = std::uint32_t;

std::uint8_t GETDAYSOFMONTH(std::uint16_t year, std::uint16_t month);
std::int32_t GETDAYSINYEAR(std::uint16_t year, std::uint16_t month);
std::uint16_t YEAR2DAYS(std::uint16_t year);
std::uint16_t DATE2DAYS(std::uint16_t year, std::uint16_t month, std::uint16_t day);
void DAYS2DATE(std::uint16_t days, std::uint16_t& year, std::uint16_t& month, std::uint16_t& day);
// 1 Monday .. 7 Sunday.
std::uint8_t GETDAYOFWEEK(std::uint16_t year, std::uint16_t month, std::uint16_t day);
// Moves the date back by n days; a month outside 1-12 leaves it unchanged.
void DECDATE(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day, std::uint16_t n);
// Adds days (carried month by month), then months, then years, and clamps the
// day to the length of the month reached. A month outside 1-12 leaves the
// record unchanged.
void INCDATE(tDateTimeRec& rec, std::uint16_t years, std::uint16_t months, std::uint16_t days);
void INCTIME(tDateTimeRec& rec, std::uint16_t hours, std::uint16_t minutes, std::uint16_t seconds);
void UNPACKTIME(PackedTime packed, tDateTimeRec& rec);
void PACKTIME(const tDateTimeRec& rec, PackedTime& packed);
std::int32_t PACKEDTIME2SECONDS(PackedTime packed);
std::int32_t DAYDIFFERENCE(PackedTime a, PackedTime b);
std::int32_t TIMEDIFFERENCE(PackedTime a, PackedTime b);
std::int32_t DATEDIFFERENCE(PackedTime a, PackedTime b);
// Local now; 0 outside the years 1980 to 2099.
PackedTime GETPACKEDDATETIME();
std::uint16_t GETDAYSSINCE1980();
std::uint16_t GETHOUR();
std::uint32_t GETRELATIVETIME();
// Milliseconds since the start tick, modulo 2^32 (right across a wrap).
std::uint32_t TICKDIFFERENCE(std::uint32_t start);
bool WAITINGFOR(std::uint32_t start, std::uint32_t timeout);
// Pumps messages and sleeps briefly until more than ms milliseconds passed.
void DELAY(std::uint32_t ms);
// "d.m.yyyy hh:nn".
std::string NOWASTEXT();
// (days since 30 December 1899 shl 27) or the milliseconds of the day.
std::int64_t NOWASNAMESEED();

}  // namespace utl
