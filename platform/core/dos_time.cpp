#include "platform/core/dos_time.h"

namespace win {

namespace {
constexpr std::uint32_t firstDosTime = (1u << 21) | (1u << 16);  // 1 January 1980 0:00
constexpr std::uint32_t lastDosTime =
    (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
}  // namespace

std::uint32_t DosTimeFromUnix(std::time_t t) {
  std::tm local{};
  if (!localtime_r(&t, &local)) return firstDosTime;
  const int year = local.tm_year + 1900;
  if (year < 1980) return firstDosTime;
  if (year > 2107) return lastDosTime;
  return (std::uint32_t(year - 1980) << 25) | (std::uint32_t(local.tm_mon + 1) << 21) |
         (std::uint32_t(local.tm_mday) << 16) | (std::uint32_t(local.tm_hour) << 11) |
         (std::uint32_t(local.tm_min) << 5) | std::uint32_t(local.tm_sec / 2);
}

std::optional<std::time_t> UnixFromDosTime(std::uint32_t dosTime) {
  const int second = int(dosTime & 31) * 2;
  const int minute = int((dosTime >> 5) & 63);
  const int hour = int((dosTime >> 11) & 31);
  const int day = int((dosTime >> 16) & 31);
  const int month = int((dosTime >> 21) & 15);
  const int year = int(dosTime >> 25) + 1980;
  if (second > 59 || minute > 59 || hour > 23 || day < 1 || day > 31 || month < 1 || month > 12)
    return std::nullopt;
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  const std::time_t t = mktime(&local);
  if (t == std::time_t(-1)) return std::nullopt;
  return t;
}

}  // namespace win
