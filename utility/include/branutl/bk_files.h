#pragma once

/* BK data files of libbranutl.so: a 32-byte header (tBKHeader) and the
   owner's data, guarded by a two-byte check (A: XOR, B: sum modulo 256) over
   header offsets 4 to 31 and all data. Routines that can fail return TRUE on
   failure. */

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
#else
typedef struct ShortString ShortString;
#endif

/* The header. Both halves of the check are independent of byte order, so
   appending or removing data updates the check without reading the rest. */
#pragma pack(push, 1)
typedef struct tBKHeader {
  char magic[2];         /* "BK" */
  uint8_t checkA;        /* XOR of the covered bytes */
  uint8_t checkB;        /* their sum modulo 256 */
  uint16_t keyWords[2];  /* 0 without a key */
  uint16_t headerLength; /* 32 */
  uint16_t version;      /* the owner's */
  uint8_t kind;          /* the owner's */
  uint8_t second;        /* the owner's, never read here */
  char fv[2];            /* "FV" */
  uint8_t random[16];    /* filler 0..254 */
} tBKHeader;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(tBKHeader) == 32);
static_assert(offsetof(tBKHeader, keyWords) == 4 && offsetof(tBKHeader, version) == 10 &&
              offsetof(tBKHeader, fv) == 14 && offsetof(tBKHeader, random) == 16);
extern "C" {
#else
_Static_assert(sizeof(tBKHeader) == 32, "tBKHeader is 32 bytes");
_Static_assert(offsetof(tBKHeader, keyWords) == 4 && offsetof(tBKHeader, version) == 10 &&
                   offsetof(tBKHeader, fv) == 14 && offsetof(tBKHeader, random) == 16,
               "tBKHeader's layout");
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
