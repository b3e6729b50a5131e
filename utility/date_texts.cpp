#include "utility/date_texts.h"

#include <array>
#include <string_view>

#include "utility/code_pages.h"
#include "utility/short_strings.h"

namespace utl {
namespace {

std::string RightAligned(unsigned value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// Two places with leading zeros; wider numbers keep all their digits.
std::string TwoPlaces(unsigned value) { return STRLB0(RightAligned(value, 2)); }

// Every field of the styled texts but the year is held in two places.
std::string Field(unsigned value) { return TwoPlaces(value).substr(0, 2); }
std::string RawDay(unsigned day) { return RightAligned(day, 2).substr(0, 2); }

std::string_view MonthName(unsigned month) {
  static constexpr std::array<std::string_view, 12> names{
      "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  return month >= 1 && month <= 12 ? names[month - 1] : "???";
}

template <typename Mark>
std::string WeekText(std::uint8_t mask, Mark mark, std::string_view unset) {
  std::string text;
  for (int day = 0; day < 7; ++day) {
    text += (mask >> day) & 1 ? std::string(mark(day)) : std::string(unset);
    text += ' ';
  }
  return text;
}

}  // namespace

std::string STRDTTM(const tDateTimeRec& rec, std::uint16_t style, bool dateFirst) {
  const std::string day = RawDay(rec.day);
  const std::string month = Field(rec.month);
  const std::string shortYear = Field(rec.year % 100);
  const std::string hhmm = Field(rec.hour) + ":" + Field(rec.minute);
  const std::string hhmmss = hhmm + ":" + Field(rec.second);
  std::string date, time;
  switch (style) {
    case 0:
      date = day + "-" + std::string(MonthName(rec.month)) + "-" + RightAligned(rec.year, 4);
      time = hhmmss;
      break;
    case 1:
      date = day + "." + month + "." + shortYear;
      time = hhmmss;
      break;
    case 2:
      date = day + "." + month + "." + shortYear;
      time = hhmm;
      break;
    case 3:
      date = day + "." + month + ".";
      time = hhmm;
      break;
    case 4:
      date = day + "/" + month;
      time = hhmm;
      break;
    default:
      return {};
  }
  return dateFirst ? date + " " + time : time + " " + date;
}

std::string STRPCKDTTM(PackedTime packed, std::uint16_t style, bool dateFirst) {
  tDateTimeRec rec{};
  UNPACKTIME(packed, rec);
  return STRDTTM(rec, style, dateFirst);
}

std::string STRMINUTES(std::int32_t minutes, std::uint16_t style, bool dateFirst,
                       bool withWeekday) {
  // Day numbers are 16-bit: minutes outside their range name no date.
  if (minutes < 0 || minutes / 1440 > 0xFFFF) return {};
  tDateTimeRec rec{};
  DAYS2DATE(static_cast<std::uint16_t>(minutes / 1440), rec.year, rec.month, rec.day);
  rec.hour = static_cast<std::uint16_t>((minutes % 1440) / 60);
  rec.minute = static_cast<std::uint16_t>(minutes % 60);
  const std::string text = STRDTTM(rec, style, dateFirst);
  if (!withWeekday) return text;
  const int weekday = GETDAYOFWEEK(rec.year, rec.month, rec.day);
  return std::string(LongWeekdayMark(weekday - 1)) + " " + text;
}

std::string STRDT2NAME(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  return TwoPlaces(year % 100) + TwoPlaces(month) + TwoPlaces(day);
}

std::string STRTM2NAME(std::uint16_t hour, std::uint16_t minute, std::uint16_t second) {
  return TwoPlaces(hour) + TwoPlaces(minute) + TwoPlaces(second);
}

std::string STRPCKDT2NAME(PackedTime packed) {
  tDateTimeRec rec{};
  UNPACKTIME(packed, rec);
  return STRDT2NAME(rec.year, rec.month, rec.day);
}

std::string STRPCKTM2NAME(PackedTime packed) {
  tDateTimeRec rec{};
  UNPACKTIME(packed, rec);
  return STRTM2NAME(rec.hour, rec.minute, rec.second);
}

std::string STRMINUTE(std::uint16_t seconds) {
  return TwoPlaces(seconds / 60u) + ":" + TwoPlaces(seconds % 60u);
}

std::string STRWEEKLONG(std::uint8_t mask) { return WeekText(mask, LongWeekdayMark, "--"); }

std::string STRWEEKSHORT(std::uint8_t mask) { return WeekText(mask, ShortWeekdayMark, "-"); }

std::string STRWEEKMARKS(std::uint8_t mask) {
  return WeekText(mask, [](int) { return std::string_view("\x7F"); }, "-");
}

}  // namespace utl
