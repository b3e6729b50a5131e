#pragma once

/* BK data files of libbranutl.so: a 32-byte header (tBKHeader) and the
   owner's data, guarded by a two-byte check (A: XOR, B: sum modulo 256) over
   header offsets 4 to 31 and all data. Routines that can fail return TRUE on
   failure. */

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "../../bk_file.h"
#include "../../short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
typedef struct tBKHeader tBKHeader;
#endif

void BKFCCEVAL(uint8_t* check, const void* data, uint16_t length);
void BKFCCSUB(uint8_t* check, const void* data, uint16_t length);
bool ISITBKFILE(const tBKHeader* header);
bool LOADBKFILE(const ShortString* name, tBKHeader* header, void* data, uint16_t length);
/* The header is not changed; data may be null (no data). */
bool SAVEBKFILE(const ShortString* name, uint16_t attributes, const tBKHeader* header,
                const void* data, uint16_t length);
bool CHECKBKFILE(const ShortString* name, tBKHeader* header);
void FILLBKHEADER(tBKHeader* header, bool withKey, uint8_t kind, uint8_t second, uint16_t version);
/* length 0 to 65535. */
bool APPENDTOBKFILE(const ShortString* name, const void* data, int32_t length);
bool TRUNCATEBKFILE(const ShortString* name, int32_t dataLength);

#ifdef __cplusplus
}
#endif
