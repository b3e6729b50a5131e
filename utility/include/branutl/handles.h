#pragma once

// Raw file handles: a 32-bit system handle, -1 for none. Routines that can
// fail return TRUE on failure. An open mode holds the access in bits 0-1
// (0 read, 1 write, 2 both) and the sharing granted to others in bits 4-7
// (0/1 none, 2 read, 3 write, 4 both).
#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

// handle becomes the new handle, or -1 on failure. Never creates the file.
bool OPENHANDLE(const ShortString* name, uint16_t mode, int32_t* handle);
// Creates (or empties) the file and opens it for reading and writing, exclusively.
bool CREATEHANDLE(const ShortString* name, int32_t* handle);
// Closes unless -1, sets the variable to -1; always FALSE.
bool CLOSEHANDLE(int32_t* handle);
bool FLUSHHANDLE(int32_t handle);
// Ends the file at the current position.
bool TRUNCATEHANDLE(int32_t handle);
// TRUE when the handle is not -1.
bool ISHANDLEVALID(int32_t handle);
// TRUE unless exactly count bytes were read.
bool READHANDLE(int32_t handle, void* buffer, int32_t count);
// Always FALSE; count becomes the number read (0 at end of file, -1 on error).
bool READHANDLECOND(int32_t handle, void* buffer, int32_t* count);
bool WRITEHANDLE(int32_t handle, const void* buffer, int32_t count);
// Always FALSE; count becomes the number written (-1 on error).
bool WRITEHANDLECOND(int32_t handle, const void* buffer, int32_t* count);
bool SEEKHANDLETO(int32_t handle, int32_t position);
bool SEEKHANDLEREL(int32_t handle, int32_t offset);
// size becomes the new position at the end (-1 on failure).
bool SEEKHANDLEEND(int32_t handle, int32_t* size);
bool HANDLEPOSITION(int32_t handle, int32_t* position);
// Always FALSE; set = 1 stamps the file with time (a packed DOS time),
// otherwise time becomes the file's time (-1 when it cannot be read).
bool HANDLETIME(int32_t handle, uint8_t set, int32_t* time);
// count becomes the number of bytes copied (fewer at the end of the source).
bool COPYBLOCK(int32_t source, int32_t target, int32_t sourcePosition, int32_t targetPosition,
               int32_t* count);
// Opens a gap of count bytes at position and fills it with data.
bool INSERTTOHANDLE(int32_t handle, int32_t position, const void* data, int32_t count);
// Removes count bytes at position, at most up to the end of the file.
bool DELETEFROMHANDLE(int32_t handle, int32_t position, int32_t count);

#ifdef __cplusplus
}
#endif
