// Arbitrary bytes as a station-list file, read through the list library's
// calls: every station it gives stays within its record's limits, a station
// found by id is the list's first of that id, and a valid list written back
// in the file's own form reads as the same list.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "suite/branlst/branlst.h"
#include "scratch_directory.h"

namespace {

struct Station {
  tStationRecord station{};
  tLocationRecord location{};
  ShortString country{};
  bool available = false;

  bool operator==(const Station& other) const {
    return std::memcmp(&station, &other.station, sizeof station) == 0 &&
           std::memcmp(&location, &other.location, sizeof location) == 0 && country.View() == other.country.View() &&
           available == other.available;
  }
};

struct List {
  std::string name;
  std::vector<Station> stations;
};

// The list of that code as the calls give it; false for an invalid one.
bool ReadList(std::uint16_t code, List& list) {
  ShortString name{};
  if (SIDCCHECKBKLSTFILE(code, &name)) return false;
  list.name = name.Str();
  const std::int32_t count = SIDCGETBKLSTCOUNT(code);
  for (std::int32_t i = 0; i < count; ++i) {
    Station s;
    s.available = !SIDCGETPOINTBYIDX(code, i, &s.station, &s.location, &s.country);
    list.stations.push_back(s);
  }
  return true;
}

bool WithinLimits(const Station& s) {
  return s.station.nameLength <= sizeof s.station.name && s.station.phoneLength <= sizeof s.station.phone &&
         s.location.placeLength <= sizeof s.location.place && s.location.areaLength <= sizeof s.location.area &&
         s.country.length <= 6 && s.station.weekMask <= 0x7F && s.station.fromMinute <= 1440 &&
         s.station.toMinute <= 1440 && s.station.access <= 1;
}

std::string FileText(const List& list) {
  // CR LF: a line loses one CR before its LF, so a CR a text ends with stays.
  std::string text = list.name + "\r\n";
  for (const Station& s : list.stations) {
    const tStationRecord& r = s.station;
    const tLocationRecord& l = s.location;
    text += std::string(r.name, r.nameLength) + "|" + std::to_string(r.weekMask) + "|" +
            std::to_string(r.fromMinute) + "|" + std::to_string(r.toMinute) + "|" +
            std::string(r.phone, r.phoneLength) + "|" + std::to_string(r.stationId) + "|" +
            std::to_string(r.flags) + "|" + std::string(l.place, l.placeLength) + "|" +
            std::string(l.area, l.areaLength) + "|" + s.country.Str() + "|" + std::to_string(r.access) + "|" +
            (s.available ? "1" : "0") + "\r\n";
  }
  return text;
}

const fuzz::ScratchDirectory& ListDirectoryOnce() {
  // The lists lie in LST under the Windows directory, for a program outside
  // a BIN directory.
  static const fuzz::ScratchDirectory& scratch = []() -> const fuzz::ScratchDirectory& {
    const fuzz::ScratchDirectory& s = fuzz::Scratch();
    if (setenv("BRANNIK_WINDIR", s.Path().c_str(), 1) != 0) std::abort();
    std::filesystem::create_directory(s.File("LST"));
    return s;
  }();
  return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::ScratchDirectory& scratch = ListDirectoryOnce();
  scratch.Write("LST/BKlst.000", data, size);
  SIDCCLOSEFILES();
  List read;
  if (!ReadList(0, read)) return 0;
  if (read.name.empty()) std::abort();
  for (const Station& s : read.stations)
    if (!WithinLimits(s)) std::abort();

  if (!read.stations.empty()) {
    const std::uint32_t id = read.stations.back().station.stationId;
    Station found;
    if (SIDCGETPOINTBYSID(id, &found.station, &found.location, &found.country)) std::abort();
    for (const Station& s : read.stations)
      if (s.station.stationId == id) {
        found.available = s.available;
        if (!(found == s)) std::abort();
        break;
      }
  }

  scratch.Write("LST/BKlst.001", FileText(read));
  SIDCCLOSEFILES();  // the search by id read the list of the run before
  List again;
  // A name cut at its length may end in blanks, which the next read trims.
  const std::string name = read.name.substr(0, read.name.find_last_not_of(' ') + 1);
  if (!ReadList(1, again) || again.name != name || again.stations != read.stations) std::abort();
  return 0;
}
