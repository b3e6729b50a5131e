#pragma once

#include <optional>
#include <string>
#include <string_view>

// The configuration's profile file, "brancfg.ini" in the Windows directory,
// section [Config]. Each call reads or rewrites the file, so several programs
// of the suite see each other's values.
class CfgProfile {
 public:
  // The value of a key (trimmed, one pair of quotes stripped); nullopt when
  // the key is missing or empty, or the file cannot be read.
  std::optional<std::string> Read(std::string_view key) const;

  // Sets a key; every other line of the file stays. Returns false when the
  // file cannot be written.
  bool Write(std::string_view key, std::string_view value) const;
};
