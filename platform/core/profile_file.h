#pragma once

#include <string>
#include <string_view>

namespace win {

// Private profile files by the system's name; a name without a directory lies
// in the Windows directory.

// The value of a key, or the default when the file, section or key is missing.
// Only a regular file or a FIFO of at most 16 MB is read: anything else (a
// device such as /dev/zero, a sparse file of gigabytes) reads as empty.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view fileName);

// Sets a key. The file is written whole to a temporary file beside it, which
// then replaces it, so readers never see half a file. False, with the last
// error set, when that fails, and for a file that reads as empty above
// without being so, which stays as it is.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view fileName);

}  // namespace win
