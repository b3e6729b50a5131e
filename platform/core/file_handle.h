#pragma once

#include <cstdint>
#include <string_view>

namespace win {

// Raw file handles: a POSIX descriptor of 5 or above in a 32-bit slot. Access
// and sharing hold between all handles of all processes (see file_sharing.h).
using HANDLE = std::int32_t;
inline constexpr HANDLE INVALID_HANDLE_VALUE = -1;

inline constexpr std::uint32_t GENERIC_READ = 0x80000000;
inline constexpr std::uint32_t GENERIC_WRITE = 0x40000000;

inline constexpr std::uint32_t FILE_SHARE_READ = 1;
inline constexpr std::uint32_t FILE_SHARE_WRITE = 2;

// Creation dispositions.
inline constexpr std::uint32_t CREATE_NEW = 1;
inline constexpr std::uint32_t CREATE_ALWAYS = 2;
inline constexpr std::uint32_t OPEN_EXISTING = 3;
inline constexpr std::uint32_t OPEN_ALWAYS = 4;
inline constexpr std::uint32_t TRUNCATE_EXISTING = 5;

// Opens or creates a file; INVALID_HANDLE_VALUE with the last error on
// failure (32 when another handle's sharing forbids the access asked for, 5
// for writing a read-only file or opening a directory).
HANDLE CreateFile(std::string_view name, std::uint32_t access, std::uint32_t share,
                  std::uint32_t disposition);
bool CloseHandle(HANDLE handle);

// Reads up to count bytes (fewer only at the end of the file).
bool ReadFile(HANDLE handle, void* buffer, std::uint32_t count, std::uint32_t* done);
bool WriteFile(HANDLE handle, const void* buffer, std::uint32_t count, std::uint32_t* done);

inline constexpr int FILE_BEGIN = 0;
inline constexpr int FILE_CURRENT = 1;
inline constexpr int FILE_END = 2;
// Moves the position; a negative result position fails with error 131.
bool SetFilePointer(HANDLE handle, std::int64_t distance, int method, std::int64_t* position);
bool SetEndOfFile(HANDLE handle);
bool FlushFileBuffers(HANDLE handle);
bool GetFileSize(HANDLE handle, std::int64_t* size);

// The last-write time as a local DOS date and time.
bool GetFileTime(HANDLE handle, std::uint32_t* dosTime);
bool SetFileTime(HANDLE handle, std::uint32_t dosTime);

// True when both handles are open on the same file.
bool SameFile(HANDLE a, HANDLE b);

}  // namespace win
