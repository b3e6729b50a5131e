#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace win {

// One entry found by FindFiles.
struct FindData {
  std::uint32_t attributes = 0;  // FILE_ATTRIBUTE_* of file_system.h
  std::uint32_t dosTime = 0;     // last write, local DOS time
  std::int64_t size = 0;
  std::uint64_t volumeSerial = 0;  // tells entries on other file systems apart
  std::string name;                // the last component, code page 1250
};

// A symbolic link in a listing (its target's directory bit added).
inline constexpr std::uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x400;

// The entries of the pattern's directory whose names match its last
// component by Windows wildcard rules, in byte order of their native names;
// a pattern without wildcards finds the one entry it names. Empty with last
// error 2 when nothing matches, 3 when the directory is missing. Names code
// page 1250 cannot hold are left out.
std::vector<FindData> FindFiles(std::string_view pattern);

// The names of the directory's entries, code page 1250, in no order and
// without "." and ".."; one read of the directory, no per-entry lookups. Empty
// with last error 3 when the directory cannot be read.
std::vector<std::string> DirectoryNames(std::string_view directory);

// Windows wildcard rules: case-insensitive, "*" any run, "?" one character,
// "*" and "*.*" everything, "NAME.*" also NAME, "NAME." only NAME.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

bool HasWildcard(std::string_view name);

}  // namespace win
