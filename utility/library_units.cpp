#include "utility/library_units.h"

#include <array>
#include <cstdint>
#include <string>

#include "platform/core/short_string.h"
#include "suite/brantxt/brantxt.h"
#include "utility/beeper.h"
#include "utility/code_pages.h"
#include "utility/crc32.h"
#include "utility/shared_locks.h"

namespace {

void LoadWeekdayMarks() {
  utl::LoadTextTables([](std::uint16_t number) {
    ShortString text;
    text.length = 0;
    STBITEM(number, &text);
    return text.Str();
  });
}

struct Unit {
  void (*start)();
  void (*stop)();
};

// One entry per unit, in start-up order; a unit without work leaves its slot empty.
constexpr std::array<Unit, 5> units{{
    {LoadWeekdayMarks, nullptr},  // weekday marks
    {nullptr, nullptr},  // directory layout (dialog library only)
    {utl::StartSoundSlots, utl::StopSoundSlots},  // sound slots
    {utl::StartCRCator, utl::StopCRCator},  // CRC table
    {utl::StartSHRsrv, utl::StopSHRsrv},  // lock file
}};

}  // namespace

void StartLibraryUnits() {
  for (const Unit& unit : units)
    if (unit.start) unit.start();
}

void StopLibraryUnits() {
  for (auto it = units.rbegin(); it != units.rend(); ++it)
    if (it->stop) it->stop();
}
