#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win {

// The system's own file names (code page 1250, "\" or "/", drive letters)
// against native paths (UTF-8, "/").

// The native path for a name: "\" becomes "/", the drive prefix "C:" the root
// and any other letter the directory in BRANNIK_DRIVE_<letter>; the text turns
// into UTF-8, and each existing component resolves case-insensitively (the
// exact name first, else the first match in byte order). Components that do
// not exist stay as given. nullopt with last error 3 for an unknown drive.
std::optional<std::string> NativeName(std::string_view name);

// A native path as the system's name (code page 1250); nullopt when code page
// 1250 cannot hold it, which makes the name invisible to the system.
std::optional<std::string> SystemName(std::string_view nativePath);

// Case-insensitive comparison of code page 1250 texts, as Windows compares
// file names (letters with diacritics included).
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
unsigned char FoldCp1250(unsigned char byte);

}  // namespace win
