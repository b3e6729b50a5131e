#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace win {

// Named-file calls of the kernel. Names are the system's own (file_names.h).

inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// Read-only = no owner write bit; hidden = a dot name; directory; archive for
// every other entry. INVALID_FILE_ATTRIBUTES with the last error on failure.
std::uint32_t GetFileAttributes(std::string_view name);
// Only the read-only bit has an effect: it clears or sets the owner write bit.
bool SetFileAttributes(std::string_view name, std::uint32_t attributes);

// Fails with 5 for a read-only file and with 32 while a handle holds it open.
bool DeleteFile(std::string_view name);
// Deletes the file only while it is empty, tested under the same claim as the
// removal, so bytes another handle wrote before it keep the file (then 5).
bool DeleteEmptyFile(std::string_view name);

// Renames a file or directory; an existing target fails with 183, a move to
// another file system with 17, a source held open with 32.
bool MoveFile(std::string_view from, std::string_view to);
// The same, replacing an existing target file in one step.
bool MoveFileReplacing(std::string_view from, std::string_view to);

// Gives a file the access rights of another (the owner keeps write access),
// as a file that replaces another on Windows keeps the old one's security.
bool CopyAccessRights(std::string_view from, std::string_view to);

// An existing directory fails with 183.
bool CreateDirectory(std::string_view name);
bool RemoveDirectory(std::string_view name);

// The current directory as the system's name (a native path in code page
// 1250); nullopt when code page 1250 cannot hold it.
std::optional<std::string> GetCurrentDirectory();
bool SetCurrentDirectory(std::string_view name);

// True when the file system holding the name's nearest existing directory
// lies on a removable device.
bool IsOnRemovableDrive(std::string_view name);

}  // namespace win
