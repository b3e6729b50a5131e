#pragma once

/* CRC-32 registers, checksums and key records of libbranutl.so. A register
   starts at 0xFFFFFFFF and is never inverted; kind 1 is the only sum. A key
   record is 4106 bytes (tKeyRecord). */

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "../../key_record.h"
#include "../../short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
typedef struct tKeyRecord tKeyRecord;
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
