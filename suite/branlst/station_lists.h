#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "suite/branlst/station_list.h"

// The lists read so far, each file read once until Forget.
class StationLists {
 public:
  // Null for a missing or invalid list; the code names BKlst.<code>, 0..999.
  // Shared, not copied: a caller walking a long list asks once a station.
  std::shared_ptr<const StationList> List(std::uint16_t code);
  // The codes of the list files in the list directory, ascending.
  std::vector<std::uint16_t> Codes() const;
  void Forget();

 private:
  std::mutex mutex_;
  std::map<std::uint16_t, std::shared_ptr<const StationList>> lists_;
};

// The library's lists.
StationLists& LoadedStationLists();
