#pragma once

#include <cstdint>
#include <string>

#include "utility/calendar.h"

namespace utl {

// Date and time in the suite's styles 0 to 4 (other styles give the empty
// text), the date first or the time first, joined by one blank.
std::string STRDTTM(const tDateTimeRec& rec, std::uint16_t style, bool dateFirst);
std::string STRPCKDTTM(PackedTime packed, std::uint16_t style, bool dateFirst);
// Minutes since the start of day 0 (calendar day numbers), with
// the long weekday mark in front when asked; empty when there is no such date.
std::string STRMINUTES(std::int32_t minutes, std::uint16_t style, bool dateFirst,
                       bool withWeekday);
// File-name stamps: YYMMDD and HHMMSS.
std::string STRDT2NAME(std::uint16_t year, std::uint16_t month, std::uint16_t day);
std::string STRTM2NAME(std::uint16_t hour, std::uint16_t minute, std::uint16_t second);
std::string STRPCKDT2NAME(PackedTime packed);
std::string STRPCKTM2NAME(PackedTime packed);
// Seconds as minutes ":" seconds; the minutes keep all their digits.
std::string STRMINUTE(std::uint16_t seconds);

// Weekday masks (bit 0 Monday .. bit 6 Sunday) as marks, each followed by a
// blank: the long marks or "--", the short marks or "-", the byte 127 or "-".
std::string STRWEEKLONG(std::uint8_t mask);
std::string STRWEEKSHORT(std::uint8_t mask);
std::string STRWEEKMARKS(std::uint8_t mask);

}  // namespace utl
