#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace win {

// File times as the system knows them: a local DOS date and time (2-second
// steps, years 1980 to 2107) packed into 32 bits.

// A system time as local DOS time; times before 1980 or after 2107 clamp to
// the first or last DOS time.
std::uint32_t DosTimeFromUnix(std::time_t t);

// A DOS time as system time; nullopt when a field is out of range.
std::optional<std::time_t> UnixFromDosTime(std::uint32_t dosTime);

}  // namespace win
