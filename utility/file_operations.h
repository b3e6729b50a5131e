#pragma once

#include <cstdint>
#include <string_view>

// Whole-file and directory operations on named files. Routines that can fail
// return TRUE on failure.
namespace utl {

// TRUE when no file of that name exists (a directory counts as not found).
bool FILENOTFOUND(std::string_view name);
bool FILEATTR(std::string_view name, bool set, std::uint16_t& attributes);
// The size in bytes, 0 on any failure.
std::int32_t FILESIZE(std::string_view name);
bool FILETIME(std::string_view name, std::uint8_t set, std::int32_t& time);
bool ISONREMOVABLEMEDIUM(std::string_view name);
// Moves a file; an existing target is refused, on one drive or across drives.
bool RENAMEFILE(std::string_view source, std::string_view target);
// Moves a file over an existing target, which is replaced in one step.
bool RENAMEANYWAY(std::string_view source, std::string_view target);
// Copies the bytes into a new file that replaces the target when complete; on
// failure an old target is untouched. A file onto itself is a failure.
bool COPYFILE(std::string_view source, std::string_view target);
// A failure cuts the target back to its old length; a file onto itself fails.
bool APPENDFILE(std::string_view source, std::string_view target);
// Appends the line and CR LF, making the file when it is missing; a failure
// leaves the file as it was (or none).
bool APPENDLINE(std::string_view name, std::string_view line);
bool DELETEFILE(std::string_view name);
// Clears the attributes, then deletes.
bool DELETEANYWAY(std::string_view name);
bool DIREXISTS(std::string_view name);
// Makes the directory and any missing parents; an existing one is a failure.
bool MAKEDIRECTORY(std::string_view name);
// Makes the file's directory when it is missing.
bool PREPAREDIRECTORY(std::string_view fileName);
// Deletes the directory with everything below it, without following links
// or entering other file systems.
bool DELETEDIRECTORY(std::string_view name);

}  // namespace utl
