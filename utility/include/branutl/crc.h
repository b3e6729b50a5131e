#pragma once

/* CRC-32 registers, checksums and key records of libbranutl.so. A register
   starts at 0xFFFFFFFF and is never inverted; kind 1 is the only sum. A key
   record is 4106 bytes (tKeyRecord). */

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
#else
typedef struct ShortString ShortString;
#endif

/* The key record (file and memory format): 1024 random key bits guarded by a
   CRC-32 register over the key bytes. */
#pragma pack(push, 1)
typedef struct tKeyRecord {
  uint32_t crc;        /* register over the first byteLength key bytes */
  uint8_t kind;        /* 0 none, 1 key */
  uint16_t byteLength; /* 128 */
  uint16_t bitLength;  /* 1024 */
  uint8_t key[4097];   /* the key, then filler */
} tKeyRecord;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(tKeyRecord) == 4106);
static_assert(offsetof(tKeyRecord, kind) == 4 && offsetof(tKeyRecord, byteLength) == 5 &&
              offsetof(tKeyRecord, bitLength) == 7 && offsetof(tKeyRecord, key) == 9);
extern "C" {
#else
_Static_assert(sizeof(tKeyRecord) == 4106, "tKeyRecord is 4106 bytes");
_Static_assert(offsetof(tKeyRecord, kind) == 4 && offsetof(tKeyRecord, byteLength) == 5 &&
                   offsetof(tKeyRecord, bitLength) == 7 && offsetof(tKeyRecord, key) == 9,
               "tKeyRecord's layout");
#endif

void INITCRC(uint32_t* reg);
void EVALUATECRC(uint8_t kind, const void* data, uint16_t length, uint32_t* reg);
/* TRUE when the file cannot be opened or read; the register is then unchanged. */
bool FILECRC(uint8_t kind, const ShortString* name, uint32_t* reg);
void CHECKSUM(const void* data, uint16_t length, uint8_t* sum);

void GENERATEPKC(uint8_t kind, tKeyRecord* record);
/* TRUE when a key record's register is wrong. */
bool CHECKPKC(const tKeyRecord* record);
/* 0 when the records count as the same key, 1 otherwise. */
int32_t COMPAREPKC(const tKeyRecord* a, const tKeyRecord* b);

#ifdef __cplusplus
}
#endif
