#pragma once

#include <cstdint>
#include <string_view>

namespace win {

// The calling thread's last error, in Windows numbering. Only failing layer
// calls set it; successful calls leave it as it was.
std::uint32_t GetLastError();
void SetLastError(std::uint32_t code);

// Sets the last error from an errno value, by the layer's mapping table.
void SetLastErrorFromErrno(int errnoValue);

// What a failed call on a name was about: an EEXIST means 80 for a file and
// 183 for a directory or the target of a rename.
enum class NameKind { File, DirectoryOrRename };

// Sets the last error for a failed call on a native path: ENOENT gives 3 when
// a parent directory of the path is missing, 2 otherwise.
void SetLastErrorForName(int errnoValue, std::string_view nativePath,
                         NameKind kind = NameKind::File);

// Windows codes the layer sets by name.
inline constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
inline constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::uint32_t ERROR_NOT_SAME_DEVICE = 17;
inline constexpr std::uint32_t ERROR_NO_MORE_FILES = 18;
inline constexpr std::uint32_t ERROR_SHARING_VIOLATION = 32;
inline constexpr std::uint32_t ERROR_FILE_EXISTS = 80;
inline constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::uint32_t ERROR_NEGATIVE_SEEK = 131;
inline constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;
inline constexpr std::uint32_t ERROR_FILENAME_EXCED_RANGE = 206;

}  // namespace win
