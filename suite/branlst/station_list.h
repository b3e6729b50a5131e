#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "suite/branlst/branlst.h"

// A station-list file: code page 1250 text, line 1 the list's name, then one
// station a line:
//   name|weekmask|from|to|phone|station id|flags|place|area|country|access|available
// (numbers decimal; access 0 or 1; available 1 or 0).
struct StationEntry {
  tStationRecord station{};
  tLocationRecord location{};
  std::string country;
  bool available = true;
};

struct StationList {
  std::string name;
  std::vector<StationEntry> stations;
};

// nullopt when the text is no valid list: no name, or a line that does not
// read (a field too long, a number out of range).
std::optional<StationList> ParseStationList(std::string_view text);

// The list directory: LST beside the program's BIN directory, else under the
// Windows directory; with its trailing separator.
std::string ListDirectory();
