#pragma once

#include <cstdint>
#include <string_view>

// Raw file handles: open, create, read, write, position, truncate and close,
// and the block movers between handles. Every routine that can fail returns
// TRUE on failure.
namespace utl {

using Handle = std::int32_t;
inline constexpr Handle noHandle = -1;

// Open modes: access in bits 0-1 (0 read, 1 write, 2 both), sharing granted
// to others in bits 4-7 (0/1 none, 2 read, 3 write, 4 both).
inline constexpr std::uint16_t modeReadDenyNone = 0x40;
inline constexpr std::uint16_t modeWrite = 1;
inline constexpr std::uint16_t modeReadWrite = 2;

// Opens an existing file; handle is -1 on failure.
bool OPENHANDLE(std::string_view name, std::uint16_t mode, Handle& handle);
// Creates or empties the file and opens it for reading and writing, exclusively.
bool CREATEHANDLE(std::string_view name, Handle& handle);
// Opens the file as OPENHANDLE with mode 2 does; a missing one is made, but
// only while it is still missing, so a file another program makes meanwhile
// is opened, never emptied. made tells whether this call made it.
bool OpenOrMakeNew(std::string_view name, Handle& handle, bool& made);
// Makes an empty file unless one of that name exists (which is no failure).
bool MakeIfMissing(std::string_view name);
// How CLOSEHANDLE and ISHANDLEVALID take the handles 0 to 4, the standard
// handles: the library's callers see files there; the browser sees none, so
// it never closes them.
enum class StandardHandles : std::uint8_t { AreFiles, AreNone };

// Closes unless -1 and sets the variable to -1; never fails.
bool CLOSEHANDLE(Handle& handle, StandardHandles standard = StandardHandles::AreFiles);
bool FLUSHHANDLE(Handle handle);
// Ends the file at the current position.
bool TRUNCATEHANDLE(Handle handle);
bool ISHANDLEVALID(Handle handle, StandardHandles standard = StandardHandles::AreFiles);
// TRUE unless exactly count bytes were read.
bool READHANDLE(Handle handle, void* buffer, std::int32_t count);
// count becomes the number read: 0 at the end of the file, -1 on error.
void READHANDLECOND(Handle handle, void* buffer, std::int32_t& count);
bool WRITEHANDLE(Handle handle, const void* buffer, std::int32_t count);
// count becomes the number written, -1 on error.
void WRITEHANDLECOND(Handle handle, const void* buffer, std::int32_t& count);
bool SEEKHANDLETO(Handle handle, std::int32_t position);
bool SEEKHANDLEREL(Handle handle, std::int32_t offset);
// Positions at the end; size is the new position, -1 on failure.
bool SEEKHANDLEEND(Handle handle, std::int32_t& size);
bool HANDLEPOSITION(Handle handle, std::int32_t& position);
// set = 1 stamps the file with time; otherwise time becomes the file's time
// (-1 when it cannot be read).
void HANDLETIME(Handle handle, std::uint8_t set, std::int32_t& time);
// Copies up to count bytes; count becomes the number copied (fewer at the
// end of the source). The same handle as source and target is a failure.
bool COPYBLOCK(Handle source, Handle target, std::int32_t sourcePosition,
               std::int32_t targetPosition, std::int32_t& count);
// Opens a gap of count bytes at position and fills it with data.
bool INSERTTOHANDLE(Handle handle, std::int32_t position, const void* data, std::int32_t count);
// Removes count bytes at position (no further than the end of the file).
bool DELETEFROMHANDLE(Handle handle, std::int32_t position, std::int32_t count);
}  // namespace utl
