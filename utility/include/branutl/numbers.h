#pragma once

/* Numbers, bit sets and number texts of libbranutl.so. "I" and "LI" routines
   work on 32-bit signed values, "U" routines on 16-bit unsigned ones (32-bit in
   UMAX and UMIN). A bit set holds element e in bit e % 8 of byte e / 8, in at
   most 32 bytes. Long strings come in zero-terminated and go out through a
   char** that receives a malloc'ed copy, which the caller frees. */

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

/* Minimum, maximum and swapping. */
int32_t IMAX(int32_t a, int32_t b);
int32_t LIMAX(int32_t a, int32_t b);
int32_t IMIN(int32_t a, int32_t b);
int32_t LIMIN(int32_t a, int32_t b);
uint32_t UMAX(uint32_t a, uint32_t b);
uint32_t UMIN(uint32_t a, uint32_t b);
void ISWAP(int32_t* a, int32_t* b);
void LISWAP(int32_t* a, int32_t* b);
void USWAP(uint16_t* a, uint16_t* b);

/* Wrapping counters: past high back to low, below low back to high. */
void IINCIN(int32_t* x, int32_t low, int32_t high);
void LIINCIN(int32_t* x, int32_t low, int32_t high);
void IDECIN(int32_t* x, int32_t low, int32_t high);
void LIDECIN(int32_t* x, int32_t low, int32_t high);
void UINCIN(uint16_t* x, uint16_t low, uint16_t high);
void UDECIN(uint16_t* x, uint16_t low, uint16_t high);

/* Range tests and clamping (low wins when low > high). */
bool IISIN(int32_t x, int32_t low, int32_t high);
bool LIISIN(int32_t x, int32_t low, int32_t high);
bool UISIN(uint16_t x, uint16_t low, uint16_t high);
int32_t ILIM(int32_t x, int32_t low, int32_t high);
int32_t LILIM(int32_t x, int32_t low, int32_t high);
uint16_t ULIM(uint16_t x, uint16_t low, uint16_t high);

/* Comparing: -1, 0, 1; MEMCMP gives 1 when the n bytes are equal, else 0. */
int32_t LUCMP(uint32_t a, uint32_t b);
int32_t SIGN(int32_t x);
int32_t MEMCMP(const void* p, const void* q, int32_t n);

/* Bit sets; n is a byte count, at most 32. */
uint16_t CARDINALITY(const void* set, uint16_t n);
void DIFFERENCE(void* out, const void* a, const void* b, uint16_t n); /* out: 32 bytes */
uint8_t PARITY(const void* set, uint16_t n);
int32_t ORD2MSK(int32_t k);
int32_t MSK2ORD(int32_t m);

/* Number texts. */
char STRHEXDIGIT(uint8_t b);
void STRHEXBYTE(uint8_t b, ShortString* out);
void STRHEXWORD(uint16_t w, ShortString* out);
void STRHEXDWORD(uint32_t d, ShortString* out);
void STRHEXPOINTER(const void* p, ShortString* out);
void STRHEXARRAY(const void* data, uint16_t n, ShortString* out);
void STRARRAY(const void* data, int32_t n, ShortString* out);
char CHARBASE32(uint8_t d);
void INTTOBASE32(int32_t width, uint64_t value, ShortString* out);

/* Long strings (spaces: every character at or below 32). */
void LSFTRIM(const char* s, char** out);
void LSFLBO(const char* s, char** out);
void LSFTBO(const char* s, char** out);
void LSFUPR(const char* s, char** out);
void LSFLWR(const char* s, char** out);

/* Zero-terminated strings, changed in place; they return p. */
char* SZFWHITESPACES(char* p);
char* SZFTRIM(char* p);

#ifdef __cplusplus
}
#endif
