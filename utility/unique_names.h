#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cl {
class TStrings;
}

// New files and directories with unique names in a shared directory: eight
// base-32 digits of a seed that starts at the current day and millisecond and
// counts down past names already taken. The directory is locked through its
// lock file meanwhile. Failures raise xInternal.
namespace utl {

// The full name of a new empty file in the directory of name, with its
// extension; no other entry has the same eight digits with any extension.
std::string UniqueFile(std::string_view name, std::uint16_t timeout, bool makeDirectory);
// The full name of a new directory; only directories of the same name count as taken.
std::string UniqueDir(std::string_view name, std::uint16_t timeout, bool makeDirectory);
// A unique file (10 s lock timeout, the directory must exist) holding the
// non-empty lines and list strings, upper-cased, each ended by CR LF. A
// failure after the file was made deletes it.
std::string UniqueTextFile(std::string_view name, const std::vector<std::string>& lines,
                           const cl::TStrings* list);

}  // namespace utl
