#include "utility/calendar.h"

#include <algorithm>
#include <cstdio>

#include "platform/core/message_hooks.h"
#include "platform/core/scheduler.h"

namespace utl {

namespace {

constexpr std::int32_t daysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool ValidMonth(int month) { return month >= 1 && month <= 12; }

// Days from 30 December 1899 (the class library's date origin) to the date.
std::int64_t DaysSince1899(int year, int month, int day) {
  // Days from the civil date to 1 January 1970, then shifted.
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yoe = year - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return std::int64_t(era) * 146097 + doe - 719468 + 25569;
}

}  // namespace

std::uint8_t GETDAYSOFMONTH(std::uint16_t year, std::uint16_t month) {
  static constexpr std::uint8_t lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (!ValidMonth(month)) return 0;
  return month == 2 && IsLeap(year) ? 29 : lengths[month - 1];
}

std::int32_t GETDAYSINYEAR(std::uint16_t year, std::uint16_t month) {
  if (!ValidMonth(month)) return 0;
  return daysBefore[month - 1] + (month > 2 && IsLeap(year) ? 1 : 0);
}

std::uint16_t YEAR2DAYS(std::uint16_t year) { return IsLeap(year) ? 366 : 365; }

std::uint16_t DATE2DAYS(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  if (year < 1980 || !ValidMonth(month)) return 0;
  std::int64_t days = std::int64_t(day) + GETDAYSINYEAR(year, month);
  // Whole 400-year cycles first, so a far year costs no long loop.
  const int cycles = (year - 1980) / 400;
  days += std::int64_t(cycles) * 146097;
  for (int y = 1980 + cycles * 400; y < year; ++y) days += YEAR2DAYS(std::uint16_t(y));
  return static_cast<std::uint16_t>(days);
}

void DAYS2DATE(std::uint16_t days, std::uint16_t& year, std::uint16_t& month, std::uint16_t& day) {
  // From 1979 with no days of its own, so the first step to 1980 subtracts nothing.
  int n = days;
  int y = 1979;
  int yearDays = 0;
  while (n > yearDays) {
    n -= yearDays;
    ++y;
    yearDays = YEAR2DAYS(std::uint16_t(y));
  }
  int m = 12;
  while (m > 1 && GETDAYSINYEAR(std::uint16_t(y), std::uint16_t(m)) >= n) --m;
  int d = n - GETDAYSINYEAR(std::uint16_t(y), std::uint16_t(m));
  if (d == 0) d = 1;
  year = std::uint16_t(y);
  month = std::uint16_t(m);
  day = std::uint16_t(d);
}

std::uint8_t GETDAYOFWEEK(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  return std::uint8_t(DATE2DAYS(year, month, day) % 7 + 1);
}

void DECDATE(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day, std::uint16_t n) {
  if (!ValidMonth(month)) return;
  int d = int(day) - int(n);
  int m = month, y = year;
  while (d < 1) {
    if (--m < 1) {
      m = 12;
      --y;
    }
    d += GETDAYSOFMONTH(std::uint16_t(y), std::uint16_t(m));
  }
  year = std::uint16_t(y);
  month = std::uint16_t(m);
  day = std::uint16_t(d);
}

void INCDATE(tDateTimeRec& rec, std::uint16_t years, std::uint16_t months, std::uint16_t days) {
  if (!ValidMonth(rec.month)) return;
  int y = rec.year, m = rec.month;
  int d = int(rec.day) + days;
  // The days carry through the real lengths of the months they pass.
  while (d > GETDAYSOFMONTH(std::uint16_t(y), std::uint16_t(m))) {
    d -= GETDAYSOFMONTH(std::uint16_t(y), std::uint16_t(m));
    if (++m > 12) {
      m = 1;
      ++y;
    }
  }
  m += months;
  y += (m - 1) / 12;
  m = (m - 1) % 12 + 1;
  y += years;
  rec.year = std::uint16_t(y);
  rec.month = std::uint16_t(m);
  rec.day = std::uint16_t(std::min<int>(d, GETDAYSOFMONTH(rec.year, rec.month)));
}

void INCTIME(tDateTimeRec& rec, std::uint16_t hours, std::uint16_t minutes, std::uint16_t seconds) {
  int second = int(rec.second) + seconds;
  int minute = int(rec.minute) + minutes + second / 60;
  second %= 60;
  int hour = int(rec.hour) + hours + minute / 60;
  minute %= 60;
  rec.second = std::uint16_t(second);
  rec.minute = std::uint16_t(minute);
  if (hour > 23) {
    rec.hour = std::uint16_t(hour % 24);
    INCDATE(rec, 0, 0, std::uint16_t(hour / 24));
  } else {
    rec.hour = std::uint16_t(hour);
  }
}

void UNPACKTIME(PackedTime packed, tDateTimeRec& rec) {
  rec.second = std::uint16_t((packed & 31) * 2);
  rec.minute = std::uint16_t((packed >> 5) & 63);
  rec.hour = std::uint16_t((packed >> 11) & 31);
  rec.day = std::uint16_t((packed >> 16) & 31);
  rec.month = std::uint16_t((packed >> 21) & 15);
  rec.year = std::uint16_t((packed >> 25) + 1980);
}

void PACKTIME(const tDateTimeRec& rec, PackedTime& packed) {
  packed = ((std::uint32_t(rec.year - 1980) & 127) << 25) | ((std::uint32_t(rec.month) & 15) << 21) |
           ((std::uint32_t(rec.day) & 31) << 16) | ((std::uint32_t(rec.hour) & 31) << 11) |
           ((std::uint32_t(rec.minute) & 63) << 5) | ((std::uint32_t(rec.second) / 2) & 31);
}

std::int32_t PACKEDTIME2SECONDS(PackedTime packed) {
  return std::int32_t((packed >> 11) & 31) * 3600 + std::int32_t((packed >> 5) & 63) * 60 +
         std::int32_t(packed & 31) * 2;
}

std::int32_t DAYDIFFERENCE(PackedTime a, PackedTime b) {
  tDateTimeRec ra, rb;
  UNPACKTIME(a, ra);
  UNPACKTIME(b, rb);
  return std::int32_t(DATE2DAYS(ra.year, ra.month, ra.day)) - DATE2DAYS(rb.year, rb.month, rb.day);
}

std::int32_t TIMEDIFFERENCE(PackedTime a, PackedTime b) {
  return PACKEDTIME2SECONDS(a) - PACKEDTIME2SECONDS(b);
}

std::int32_t DATEDIFFERENCE(PackedTime a, PackedTime b) {
  return DAYDIFFERENCE(a, b) * 86400 + TIMEDIFFERENCE(a, b);
}

PackedTime GETPACKEDDATETIME() {
  const win::SystemTime now = win::GetLocalTime();
  if (now.year < 1980 || now.year > 2099) return 0;
  const tDateTimeRec rec{std::uint16_t(now.year),   std::uint16_t(now.month),
                         std::uint16_t(now.day),    std::uint16_t(now.hour),
                         std::uint16_t(now.minute), std::uint16_t(now.second)};
  PackedTime packed = 0;
  PACKTIME(rec, packed);
  return packed;
}

std::uint16_t GETDAYSSINCE1980() {
  const win::SystemTime now = win::GetLocalTime();
  return DATE2DAYS(std::uint16_t(now.year), std::uint16_t(now.month), std::uint16_t(now.day));
}

std::uint16_t GETHOUR() { return std::uint16_t(win::GetLocalTime().hour); }

std::uint32_t GETRELATIVETIME() { return win::GetTickCount(); }

std::uint32_t TICKDIFFERENCE(std::uint32_t start) { return win::GetTickCount() - start; }

bool WAITINGFOR(std::uint32_t start, std::uint32_t timeout) {
  return win::GetTickCount() - start < timeout;
}

void DELAY(std::uint32_t ms) {
  std::uint32_t start = win::GetTickCount();
  for (;;) {
    win::PumpMessages();
    const std::uint32_t now = win::GetTickCount();
    const auto elapsed = std::int32_t(now - start);
    if (elapsed < 0) {
      start = now;  // the counter wrapped: the wait starts again
      continue;
    }
    if (std::uint32_t(elapsed) > ms) return;
    // Waiting must not spin a core.
    win::Sleep(std::min<std::uint32_t>(ms - std::uint32_t(elapsed) + 1, 10));
  }
}

std::string NOWASTEXT() {
  const win::SystemTime now = win::GetLocalTime();
  char text[40];
  std::snprintf(text, sizeof text, "%d.%d.%04d %02d:%02d", now.day, now.month, now.year, now.hour,
                now.minute);
  return text;
}

std::int64_t NOWASNAMESEED() {
  const win::SystemTime now = win::GetLocalTime();
  const std::int64_t days = DaysSince1899(now.year, now.month, now.day);
  const std::int64_t ms = ((std::int64_t(now.hour) * 60 + now.minute) * 60 + now.second) * 1000 +
                          now.milliseconds;
  return (days << 27) | ms;
}

}  // namespace utl
