#pragma once

#include <string>
#include <string_view>

namespace win {

// Whether reading what a name leads to (through links) comes to an end: a
// regular file, or a FIFO, which ends when its writers stop. A device such as
// /dev/zero, a socket or a directory is never read as a file: false with last
// error 2, as for a missing file; a missing name gives its own last error.
bool IsEndingFile(std::string_view name);
// The same for a native path.
bool IsEndingNativeFile(const std::string& nativePath);
// The same for the mode a stat(2) gives.
bool IsEndingFileMode(unsigned mode);

}  // namespace win
