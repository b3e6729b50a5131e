#include <cstring>

#include "platform/core/export_guard.h"
#include "suite/branlst/branlst.h"
#include "suite/branlst/station_lists.h"

namespace {

constexpr std::uint8_t True = 1;
constexpr std::uint8_t False = 0;

void Deliver(const StationEntry& entry, tStationRecord* station, tLocationRecord* location,
             ShortString* country) {
  if (station) *station = entry.station;
  if (location) *location = entry.location;
  ShortResult(country, entry.country);
}

}  // namespace

BRANNIK_EXPORT void SIDCCLOSEFILES() {
  ExportGuardVoid([] { LoadedStationLists().Forget(); });
}

BRANNIK_EXPORT std::uint8_t SIDCCHECKBKLSTFILE(std::uint16_t listCode, ShortString* name) {
  return ExportGuard(True, [&] {
    const auto list = LoadedStationLists().List(listCode);
    if (!list) return True;
    ShortResult(name, list->name);
    return False;
  });
}

BRANNIK_EXPORT std::int32_t SIDCGETBKLSTCOUNT(std::uint16_t listCode) {
  return ExportGuard(std::int32_t{0}, [&] {
    const auto list = LoadedStationLists().List(listCode);
    return list ? static_cast<std::int32_t>(list->stations.size()) : 0;
  });
}

BRANNIK_EXPORT std::uint8_t SIDCGETPOINTBYIDX(std::uint16_t listCode, std::int32_t index,
                                              tStationRecord* station, tLocationRecord* location,
                                              ShortString* country) {
  return ExportGuard(True, [&] {
    const auto list = LoadedStationLists().List(listCode);
    if (!list || index < 0 || static_cast<std::size_t>(index) >= list->stations.size()) return True;
    const StationEntry& entry = list->stations[static_cast<std::size_t>(index)];
    Deliver(entry, station, location, country);
    return entry.available ? False : True;
  });
}

BRANNIK_EXPORT std::uint8_t SIDCGETPOINTBYSID(std::uint32_t stationId, tStationRecord* station,
                                              tLocationRecord* location, ShortString* country) {
  return ExportGuard(True, [&] {
    StationLists& lists = LoadedStationLists();
    for (const std::uint16_t code : lists.Codes()) {
      const auto list = lists.List(code);
      if (!list) continue;
      for (const StationEntry& entry : list->stations)
        if (entry.station.stationId == stationId) {
          Deliver(entry, station, location, country);
          return False;
        }
    }
    return True;
  });
}

BRANNIK_EXPORT std::uint8_t SIDCHASACCESS(const std::uint8_t* access) {
  return ExportGuard(False, [&] { return access && *access == 0 ? True : False; });
}
