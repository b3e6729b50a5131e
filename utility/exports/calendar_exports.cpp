#include <cstddef>

#include "branutl/calendar.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/calendar.h"

static_assert(sizeof(tDateTimeRec) == 12);
static_assert(offsetof(tDateTimeRec, second) == 10);

namespace {

utl::tDateTimeRec In(const tDateTimeRec& r) {
  return {r.year, r.month, r.day, r.hour, r.minute, r.second};
}

void Out(const utl::tDateTimeRec& r, tDateTimeRec& out) {
  out = {r.year, r.month, r.day, r.hour, r.minute, r.second};
}

}  // namespace

BRANNIK_EXPORT uint8_t GETDAYSOFMONTH(uint16_t year, uint16_t month) {
  return ExportGuard(uint8_t(0), [&] { return utl::GETDAYSOFMONTH(year, month); });
}

BRANNIK_EXPORT int32_t GETDAYSINYEAR(uint16_t year, uint16_t month) {
  return ExportGuard(int32_t(0), [&] { return utl::GETDAYSINYEAR(year, month); });
}

BRANNIK_EXPORT uint16_t YEAR2DAYS(uint16_t year) {
  return ExportGuard(uint16_t(365), [&] { return utl::YEAR2DAYS(year); });
}

BRANNIK_EXPORT uint16_t DATE2DAYS(uint16_t year, uint16_t month, uint16_t day) {
  return ExportGuard(uint16_t(0), [&] { return utl::DATE2DAYS(year, month, day); });
}

BRANNIK_EXPORT void DAYS2DATE(uint16_t days, uint16_t* year, uint16_t* month, uint16_t* day) {
  ExportGuardVoid([&] {
    uint16_t y = 0, m = 0, d = 0;
    utl::DAYS2DATE(days, y, m, d);
    if (year) *year = y;
    if (month) *month = m;
    if (day) *day = d;
  });
}

BRANNIK_EXPORT uint8_t GETDAYOFWEEK(uint16_t year, uint16_t month, uint16_t day) {
  return ExportGuard(uint8_t(0), [&] { return utl::GETDAYOFWEEK(year, month, day); });
}

BRANNIK_EXPORT void DECDATE(uint16_t* year, uint16_t* month, uint16_t* day, uint16_t n) {
  ExportGuardVoid([&] {
    if (year && month && day) utl::DECDATE(*year, *month, *day, n);
  });
}

BRANNIK_EXPORT void INCDATE(tDateTimeRec* rec, uint16_t years, uint16_t months, uint16_t days) {
  ExportGuardVoid([&] {
    if (!rec) return;
    utl::tDateTimeRec r = In(*rec);
    utl::INCDATE(r, years, months, days);
    Out(r, *rec);
  });
}

BRANNIK_EXPORT void INCTIME(tDateTimeRec* rec, uint16_t hours, uint16_t minutes, uint16_t seconds) {
  ExportGuardVoid([&] {
    if (!rec) return;
    utl::tDateTimeRec r = In(*rec);
    utl::INCTIME(r, hours, minutes, seconds);
    Out(r, *rec);
  });
}

BRANNIK_EXPORT void UNPACKTIME(uint32_t packed, tDateTimeRec* rec) {
  ExportGuardVoid([&] {
    if (!rec) return;
    utl::tDateTimeRec r{};
    utl::UNPACKTIME(packed, r);
    Out(r, *rec);
  });
}

BRANNIK_EXPORT void PACKTIME(const tDateTimeRec* rec, uint32_t* packed) {
  ExportGuardVoid([&] {
    if (rec && packed) utl::PACKTIME(In(*rec), *packed);
  });
}

BRANNIK_EXPORT int32_t PACKEDTIME2SECONDS(uint32_t packed) {
  return ExportGuard(int32_t(0), [&] { return utl::PACKEDTIME2SECONDS(packed); });
}

BRANNIK_EXPORT int32_t DAYDIFFERENCE(uint32_t a, uint32_t b) {
  return ExportGuard(int32_t(0), [&] { return utl::DAYDIFFERENCE(a, b); });
}

BRANNIK_EXPORT int32_t TIMEDIFFERENCE(uint32_t a, uint32_t b) {
  return ExportGuard(int32_t(0), [&] { return utl::TIMEDIFFERENCE(a, b); });
}

BRANNIK_EXPORT int32_t DATEDIFFERENCE(uint32_t a, uint32_t b) {
  return ExportGuard(int32_t(0), [&] { return utl::DATEDIFFERENCE(a, b); });
}

BRANNIK_EXPORT uint32_t GETPACKEDDATETIME(void) {
  return ExportGuard(uint32_t(0), [] { return utl::GETPACKEDDATETIME(); });
}

BRANNIK_EXPORT uint16_t GETDAYSSINCE1980(void) {
  return ExportGuard(uint16_t(0), [] { return utl::GETDAYSSINCE1980(); });
}

BRANNIK_EXPORT uint16_t GETHOUR(void) {
  return ExportGuard(uint16_t(0), [] { return utl::GETHOUR(); });
}

BRANNIK_EXPORT uint32_t GETRELATIVETIME(void) {
  return ExportGuard(uint32_t(0), [] { return utl::GETRELATIVETIME(); });
}

BRANNIK_EXPORT uint32_t TICKDIFFERENCE(uint32_t start) {
  return ExportGuard(uint32_t(0), [&] { return utl::TICKDIFFERENCE(start); });
}

BRANNIK_EXPORT bool WAITINGFOR(uint32_t start, uint32_t timeout) {
  return ExportGuard(false, [&] { return utl::WAITINGFOR(start, timeout); });
}

BRANNIK_EXPORT void DELAY(uint32_t ms) {
  ExportGuardVoid([&] { utl::DELAY(ms); });
}

BRANNIK_EXPORT void NOWASTEXT(ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::NOWASTEXT()); });
}

BRANNIK_EXPORT int64_t NOWASNAMESEED(void) {
  return ExportGuard(int64_t(0), [] { return utl::NOWASNAMESEED(); });
}
