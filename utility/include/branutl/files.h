#pragma once

// Whole-file and directory operations on named files. Routines that can fail
// return TRUE on failure. Attributes: 1 read-only, 2 hidden, 16 directory,
// 32 archive.
#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

// TRUE when no file of that name exists (a directory counts as not found).
bool FILENOTFOUND(const ShortString* name);
// set: stamps the attributes; else reads them.
bool FILEATTR(const ShortString* name, bool set, uint16_t* attributes);
// The size in bytes, 0 on any failure.
int32_t FILESIZE(const ShortString* name);
// set = 1 stamps the packed DOS time, otherwise reads it.
bool FILETIME(const ShortString* name, uint8_t set, int32_t* time);
bool ISONREMOVABLEMEDIUM(const ShortString* name);
// Moves a file, making the target's directory; an existing target is refused.
bool RENAMEFILE(const ShortString* source, const ShortString* target);
// Moves a file over an existing target, replacing it in one step.
bool RENAMEANYWAY(const ShortString* source, const ShortString* target);
bool COPYFILE(const ShortString* source, const ShortString* target);
// Appends the source's bytes to the existing target.
bool APPENDFILE(const ShortString* source, const ShortString* target);
// Appends the line and CR LF to a text file, made when missing.
bool APPENDLINE(const ShortString* name, const ShortString* line);
bool DELETEFILE(const ShortString* name);
// Clears all attributes, then deletes.
bool DELETEANYWAY(const ShortString* name);
// TRUE when the directory exists.
bool DIREXISTS(const ShortString* name);
// Makes the directory and any missing parents.
bool MAKEDIRECTORY(const ShortString* name);
// Makes the directory of the named file when it is missing.
bool PREPAREDIRECTORY(const ShortString* fileName);
// Deletes a directory with everything below it.
bool DELETEDIRECTORY(const ShortString* name);

#ifdef __cplusplus
}
#endif
