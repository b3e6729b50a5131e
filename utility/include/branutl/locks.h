#pragma once

/* Shared-directory locks and unique names of libbranutl.so. A lock is a file
   held open with exclusive sharing; timeouts are milliseconds. Routines that
   can fail return TRUE on failure. Short-string names unless noted. */

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
namespace cl {
class TStrings;
}
typedef cl::TStrings TStrings;
extern "C" {
#else
typedef struct ShortString ShortString;
typedef struct TStrings TStrings;
#endif

/* The text file that EXCLUSIVEREWRITETEXT opens: on success its handle is
   open, created or emptied, for writing; the caller writes through it
   (WRITEHANDLE) and closes it (CLOSEHANDLE). -1 when not open. */
typedef struct tTextFile {
  int32_t handle;
} tTextFile;

/* On success handle holds the lock (the variable is untouched otherwise). */
bool FLAGFILE(const ShortString* name, int32_t* handle, uint16_t timeout);
void YIELDONDISKBUSY(int32_t ignored);
bool EXCLUSIVEOPEN(const ShortString* name, uint16_t mode, uint16_t timeout, int32_t* handle);
bool EXCLUSIVEREWRITETEXT(const ShortString* name, uint16_t mode, uint16_t timeout,
                          tTextFile* textFile);
/* TRUE when the file exists and cannot be opened exclusively for reading and writing. */
bool ISFILELOCKED(const ShortString* name);
/* name becomes the new file's or directory's full name. */
bool UNIQUEFILE(ShortString* name, uint16_t timeout, bool makeDirectory);
bool UNIQUEDIR(ShortString* name, uint16_t timeout, bool makeDirectory);
/* Lines 0 to last of the array (256-byte short strings), then the list's
   strings (list may be null); non-empty ones upper-cased, each with CR LF. */
bool UNIQUETEXTFILE(ShortString* name, const ShortString* lines, int32_t last,
                    const TStrings* list);
/* Zero-terminated names; no result: the caller checks the outcome. */
void RENAMESHAREDFILE(const char* source, const char* target, int32_t timeout);
void DELETESHAREDFILE(const char* name, int32_t timeout);

#ifdef __cplusplus
}
#endif
