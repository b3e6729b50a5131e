#include "suite/branlst/station_list.h"

#include <charconv>
#include <cstring>

#include "platform/core/blank_trim.h"
#include "platform/core/file_names.h"
#include "platform/core/places.h"
#include "platform/core/short_string.h"

namespace {

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const auto end = line.find(separator, start);
    fields.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& value, std::uint64_t limit) {
  text = cl::TrimOf(text, " ");
  std::uint64_t read = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || read > limit) return false;
  value = static_cast<Number>(read);
  return true;
}

template <std::size_t N>
bool Store(std::string_view text, std::uint8_t& length, char (&chars)[N]) {
  if (text.size() > N) return false;
  length = static_cast<std::uint8_t>(text.size());
  // A field of blanks alone trims to a view of no characters and no data.
  if (!text.empty()) std::memcpy(chars, text.data(), text.size());
  return true;
}

std::optional<StationEntry> ParseStation(std::string_view line) {
  const auto f = Split(line, '|');
  if (f.size() != 12) return std::nullopt;
  StationEntry entry;
  tStationRecord& s = entry.station;
  tLocationRecord& l = entry.location;
  // Packed fields are read through locals: no reference may bind to them.
  std::uint8_t weekMask = 0, flags = 0, access = 0, available = 0;
  std::uint16_t fromMinute = 0, toMinute = 0;
  std::uint32_t stationId = 0;
  const std::string_view country = cl::TrimOf(f[9], " ");
  if (!Store(cl::TrimOf(f[0], " "), s.nameLength, s.name) || !ReadNumber(f[1], weekMask, 0x7F) ||
      !ReadNumber(f[2], fromMinute, 1440) || !ReadNumber(f[3], toMinute, 1440) ||
      !Store(cl::TrimOf(f[4], " "), s.phoneLength, s.phone) || !ReadNumber(f[5], stationId, 0xFFFFFFFFu) ||
      !ReadNumber(f[6], flags, 0xFF) || !Store(cl::TrimOf(f[7], " "), l.placeLength, l.place) ||
      !Store(cl::TrimOf(f[8], " "), l.areaLength, l.area) || country.size() > 6 ||
      !ReadNumber(f[10], access, 1) || !ReadNumber(f[11], available, 1))
    return std::nullopt;
  s.weekMask = weekMask;
  s.fromMinute = fromMinute;
  s.toMinute = toMinute;
  s.stationId = stationId;
  s.flags = flags;
  s.access = access;
  entry.country = std::string(country);
  entry.available = available == 1;
  return entry;
}

bool EndsWithSeparator(std::string_view path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

}  // namespace

std::optional<StationList> ParseStationList(std::string_view text) {
  StationList list;
  bool first = true;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      list.name = std::string(cl::TrimOf(line, " ").substr(0, ShortString::MaxLength));
      if (list.name.empty()) return std::nullopt;
      first = false;
      continue;
    }
    if (cl::TrimOf(line, " ").empty()) continue;
    auto station = ParseStation(line);
    if (!station) return std::nullopt;
    list.stations.push_back(*station);
  }
  if (first) return std::nullopt;
  return list;
}

std::string ListDirectory() {
  const std::string program = win::GetModuleFileName();
  std::string directory = program.substr(0, program.find_last_of("/\\") + 1);
  // .../BIN/ -> ... : the suite's base directory.
  if (directory.size() >= 5 && EndsWithSeparator(directory.substr(0, directory.size() - 4)) &&
      win::SameNameIgnoringCase(directory.substr(directory.size() - 4, 3), "BIN"))
    return directory.substr(0, directory.size() - 4) + "LST/";
  std::string base = win::GetWindowsDirectory();
  if (!EndsWithSeparator(base)) base += '/';
  return base + "LST/";
}
