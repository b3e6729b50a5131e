#include <gtest/gtest.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "branutl/calendar.h"
#include "platform/core/scheduler.h"

namespace {

tDateTimeRec Rec(uint16_t y, uint16_t mo, uint16_t d, uint16_t h = 0, uint16_t mi = 0, uint16_t s = 0) {
  return tDateTimeRec{y, mo, d, h, mi, s};
}

std::string Text(const tDateTimeRec& r) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d-%02d-%02d %02d:%02d:%02d", r.year, r.month, r.day, r.hour,
                r.minute, r.second);
  return buffer;
}

TEST(Calendar, MonthLengthsAndDaysBeforeAMonth) {
  EXPECT_EQ(GETDAYSOFMONTH(2000, 2), 29);
  EXPECT_EQ(GETDAYSOFMONTH(1900, 2), 28);
  EXPECT_EQ(GETDAYSOFMONTH(2024, 2), 29);
  EXPECT_EQ(GETDAYSOFMONTH(2023, 4), 30);
  EXPECT_EQ(GETDAYSOFMONTH(2023, 0), 0);
  EXPECT_EQ(GETDAYSOFMONTH(2023, 13), 0);
  EXPECT_EQ(GETDAYSINYEAR(1999, 3), 59);
  EXPECT_EQ(GETDAYSINYEAR(2000, 3), 60);
  EXPECT_EQ(GETDAYSINYEAR(2000, 12), 335);
  EXPECT_EQ(GETDAYSINYEAR(2000, 13), 0);
  EXPECT_EQ(YEAR2DAYS(2000), 366);
  EXPECT_EQ(YEAR2DAYS(2100), 365);
}

TEST(Calendar, DayNumbersCountFromTheFirstOfJanuary1980) {
  EXPECT_EQ(DATE2DAYS(1980, 1, 1), 1);
  EXPECT_EQ(DATE2DAYS(1979, 12, 31), 0);
  EXPECT_EQ(DATE2DAYS(1980, 13, 1), 0);
  EXPECT_EQ(DATE2DAYS(1981, 1, 1), 367);
  EXPECT_EQ(GETDAYOFWEEK(1980, 1, 1), 2);   // a Tuesday
  EXPECT_EQ(GETDAYOFWEEK(2024, 6, 2), 7);   // a Sunday
  EXPECT_EQ(GETDAYOFWEEK(2024, 6, 3), 1);   // a Monday
  struct Case {
    uint16_t days, year, month, day;
  };
  const Case cases[] = {{366, 1980, 12, 31}, {367, 1981, 1, 1}, {1, 1980, 1, 1},
                        {0, 1979, 1, 1},     {60, 1980, 2, 29}, {61, 1980, 3, 1}};
  for (const auto& c : cases) {
    uint16_t y = 0, m = 0, d = 0;
    DAYS2DATE(c.days, &y, &m, &d);
    EXPECT_EQ(y, c.year) << c.days;
    EXPECT_EQ(m, c.month) << c.days;
    EXPECT_EQ(d, c.day) << c.days;
  }
  // Every day of a long stretch survives the round trip.
  for (uint16_t n = 1; n < 40000; ++n) {
    uint16_t y, m, d;
    DAYS2DATE(n, &y, &m, &d);
    ASSERT_EQ(DATE2DAYS(y, m, d), n);
  }
}

TEST(Calendar, DecrementingADateWalksBackOverMonthsAndYears) {
  struct Case {
    uint16_t y, m, d, n, year, month, day;
  };
  const Case cases[] = {
      {1980, 3, 1, 1, 1980, 2, 29}, {1980, 3, 1, 30, 1980, 1, 31}, {1981, 1, 1, 1, 1980, 12, 31},
      {2000, 5, 20, 0, 2000, 5, 20}, {2001, 3, 1, 366, 2000, 2, 29},
      {2000, 0, 15, 3, 2000, 0, 15},  // month 0: left unchanged instead of running for ever
      {2000, 13, 15, 3, 2000, 13, 15},
  };
  for (const auto& c : cases) {
    uint16_t y = c.y, m = c.m, d = c.d;
    DECDATE(&y, &m, &d, c.n);
    EXPECT_EQ(y, c.year) << c.y << "-" << c.m << "-" << c.d << " - " << c.n;
    EXPECT_EQ(m, c.month) << c.y << "-" << c.m << "-" << c.d << " - " << c.n;
    EXPECT_EQ(d, c.day) << c.y << "-" << c.m << "-" << c.d << " - " << c.n;
  }
}

TEST(Calendar, IncrementingADateCarriesThroughRealMonthLengths) {
  struct Case {
    tDateTimeRec start;
    uint16_t years, months, days;
    tDateTimeRec result;
  };
  const Case cases[] = {
      {Rec(2001, 4, 30), 0, 0, 30, Rec(2001, 5, 30)},
      {Rec(2001, 12, 15), 0, 1, 0, Rec(2002, 1, 15)},
      {Rec(2001, 1, 31), 0, 0, 31, Rec(2001, 3, 3)},   // through February's 28 days
      {Rec(2001, 1, 31), 0, 1, 0, Rec(2001, 2, 28)},   // clamped, never 31 February
      {Rec(2000, 2, 29), 1, 0, 0, Rec(2001, 2, 28)},
      {Rec(2000, 1, 30), 0, 0, 366, Rec(2001, 1, 30)},
      {Rec(2000, 11, 10), 2, 14, 0, Rec(2004, 1, 10)},
      {Rec(2000, 4, 31), 0, 0, 0, Rec(2000, 5, 1)},    // an overlong day carries as before
      {Rec(2000, 13, 5), 0, 0, 10, Rec(2000, 13, 5)},  // a bad month: unchanged
      {Rec(2000, 0, 5), 0, 1, 0, Rec(2000, 0, 5)},
  };
  for (const auto& c : cases) {
    tDateTimeRec r = c.start;
    INCDATE(&r, c.years, c.months, c.days);
    EXPECT_EQ(Text(r), Text(c.result)) << Text(c.start) << " +" << c.years << "y" << c.months << "m" << c.days << "d";
  }
}

TEST(Calendar, IncrementingATimeCarriesIntoTheDate) {
  tDateTimeRec r = Rec(1999, 12, 31, 23, 59, 59);
  INCTIME(&r, 0, 0, 1);
  EXPECT_EQ(Text(r), "2000-01-01 00:00:00");
  r = Rec(2000, 2, 28, 10, 30, 0);
  INCTIME(&r, 37, 90, 3600);
  EXPECT_EQ(Text(r), "2000-03-01 02:00:00");  // 50 hours: two days past 28 February of a leap year
}

TEST(Calendar, PackedTimesUseTheDosLayout) {
  const tDateTimeRec r = Rec(2050, 7, 14, 13, 45, 31);
  uint32_t packed = 0;
  PACKTIME(&r, &packed);
  EXPECT_EQ(packed, (70u << 25) | (7u << 21) | (14u << 16) | (13u << 11) | (45u << 5) | 15u);
  tDateTimeRec back{};
  UNPACKTIME(packed, &back);
  EXPECT_EQ(Text(back), "2050-07-14 13:45:30");  // the odd second comes back even
  EXPECT_EQ(PACKEDTIME2SECONDS(packed), 13 * 3600 + 45 * 60 + 30);

  uint32_t a = 0, b = 0;
  const tDateTimeRec ra = Rec(2000, 3, 1, 0, 0, 10), rb = Rec(2000, 2, 28, 23, 0, 0);
  PACKTIME(&ra, &a);
  PACKTIME(&rb, &b);
  EXPECT_EQ(DAYDIFFERENCE(a, b), 2);
  EXPECT_EQ(TIMEDIFFERENCE(a, b), 10 - 23 * 3600);
  EXPECT_EQ(DATEDIFFERENCE(a, b), 2 * 86400 + 10 - 23 * 3600);
  EXPECT_EQ(DATEDIFFERENCE(b, a), -(2 * 86400 + 10 - 23 * 3600));
}

// The exports read the clock of the library's own platform layer, which a
// test cannot move: each answer must lie between two reads of the layer's
// clock taken around the calls, which holds across midnight and under load.
std::time_t LayerClockNow(int* milliseconds = nullptr) { return win::CurrentScheduler().WallClock(milliseconds); }

std::time_t UtcSeconds(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  using namespace std::chrono;
  const sys_seconds t =
      sys_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute} + seconds{second};
  return system_clock::to_time_t(t);
}

uint16_t DaysSince1980(std::time_t when) {
  std::tm t{};
  gmtime_r(&when, &t);
  return DATE2DAYS(uint16_t(t.tm_year + 1900), uint16_t(t.tm_mon + 1), uint16_t(t.tm_mday));
}

// Whether some instant of [from, to] falls in the hour of the day given.
bool HourWithin(int hour, std::time_t from, std::time_t to) {
  for (std::time_t t = from; t <= to + 3600; t += 3600) {
    std::tm local{};
    const std::time_t at = std::min(t, to);
    gmtime_r(&at, &local);
    if (local.tm_hour == hour) return true;
  }
  return false;
}

TEST(Calendar, CurrentTimeInEachForm) {
  setenv("TZ", "UTC", 1);
  tzset();
  int beforeMs = 0;
  const std::time_t before = LayerClockNow(&beforeMs);
  tDateTimeRec r{};
  UNPACKTIME(GETPACKEDDATETIME(), &r);
  const uint16_t days = GETDAYSSINCE1980();
  const uint16_t hour = GETHOUR();
  ShortString text;
  NOWASTEXT(&text);
  const int64_t seed = NOWASNAMESEED();
  const std::time_t after = LayerClockNow();

  // The packed form keeps even seconds.
  const std::time_t packed = UtcSeconds(r.year, r.month, r.day, r.hour, r.minute, r.second);
  EXPECT_GE(packed, before - 1);
  EXPECT_LE(packed, after);
  EXPECT_EQ(r.second % 2, 0);
  EXPECT_GE(days, DaysSince1980(before));
  EXPECT_LE(days, DaysSince1980(after));
  EXPECT_TRUE(HourWithin(hour, before, after)) << hour;

  // "d.m.yyyy hh:nn", read back and written again the same way.
  int day = 0, month = 0, year = 0, textHour = 0, minute = 0, consumed = 0;
  ASSERT_EQ(std::sscanf(text.Str().c_str(), "%d.%d.%d %d:%d%n", &day, &month, &year, &textHour, &minute, &consumed),
            5)
      << text.Str();
  char rewritten[40];
  std::snprintf(rewritten, sizeof rewritten, "%d.%d.%04d %02d:%02d", day, month, year, textHour, minute);
  EXPECT_EQ(text.Str(), rewritten);
  const std::time_t shown = UtcSeconds(year, month, day, textHour, minute);
  EXPECT_GE(shown, before - before % 60);
  EXPECT_LE(shown, after);

  // Days since 30 December 1899 above the milliseconds of the day.
  const int64_t seedDays = seed >> 27;
  const int64_t seedMs = seed & ((int64_t(1) << 27) - 1);
  EXPECT_LT(seedMs, 86400000);
  const int64_t seedEpochMs = (seedDays - 25569) * 86400000 + seedMs;
  EXPECT_GE(seedEpochMs, int64_t(before) * 1000 + beforeMs);
  EXPECT_LT(seedEpochMs, (int64_t(after) + 1) * 1000);
  unsetenv("TZ");
  tzset();
}

TEST(Calendar, TickDifferencesAndWaiting) {
  const uint32_t start = GETRELATIVETIME();
  EXPECT_LT(TICKDIFFERENCE(start), 1000u);
  // A start after now (the counter wrapped meanwhile) gives the modular difference.
  EXPECT_EQ(TICKDIFFERENCE(start + 100) , uint32_t(GETRELATIVETIME() - (start + 100)));
  EXPECT_GT(TICKDIFFERENCE(start + 100), 0xFFFFFF00u);
  EXPECT_TRUE(WAITINGFOR(start, 60000));
  EXPECT_FALSE(WAITINGFOR(start - 70000, 60000));
}

// Only the lower bound is free of the machine's load; the pacing of the wait
// is tested against a manual clock.
TEST(Calendar, DelayWaitsLongerThanAsked) {
  const auto start = std::chrono::steady_clock::now();
  DELAY(200);
  EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

}  // namespace
