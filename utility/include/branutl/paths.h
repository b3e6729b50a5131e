#pragma once

// DOS-style path names in short strings; "/" is accepted beside "\".
#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

// directory: string[67] (68 bytes), name: string[12] (13 bytes),
// extension: string[4] (5 bytes); each part is cut to its size.
void FSPLIT(const ShortString* path, uint8_t* directory, uint8_t* name, uint8_t* extension);
void DIRNAME(const ShortString* path, ShortString* out);
void FILENAME(const ShortString* path, ShortString* out);
// The extension with its ".", up to 4 characters.
void FILEEXT(const ShortString* path, ShortString* out);
// Name and extension.
void DIRNAMEOFF(const ShortString* path, ShortString* out);
// Directory and name.
void FILEEXTOFF(const ShortString* path, ShortString* out);
// Upper-case drive letter, '?' without a drive prefix.
char DRIVENAME(const ShortString* path);
void DRIVEOFF(const ShortString* path, ShortString* out);
void DRIVEANDROOTOFF(const ShortString* path, ShortString* out);
bool ISPATHABSOLUTE(const ShortString* path);
bool ISWILDCARD(const ShortString* name);
// "." and three digits for 0 to 999, else empty.
void STREXT(int32_t n, ShortString* out);
void UnifyDirName(const ShortString* directory, ShortString* out);
void FEXPAND(const ShortString* path, ShortString* out);
void GETENV(const ShortString* name, ShortString* out);
// The size before the first blank, -1 on failure; line keeps the rest.
int32_t PARSEFILESIZE(ShortString* line);
void MAKEPATHABSOLUTE(const ShortString* base, const ShortString* path, ShortString* out);
void MAKEPATHRELATIVE(const ShortString* base, const ShortString* directory, const ShortString* path,
                      ShortString* out);

#ifdef __cplusplus
}
#endif
