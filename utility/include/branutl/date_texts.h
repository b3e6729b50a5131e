#pragma once

// Date and time texts, weekday masks, tilde-coded display texts, the
// table-driven search and base-62 numbers.
#include <stdbool.h>
#include <stdint.h>

#include "calendar.h"

#ifdef __cplusplus
extern "C" {
#endif

void STRDTTM(const tDateTimeRec* rec, uint16_t style, bool dateFirst, ShortString* out);
void STRPCKDTTM(uint32_t packed, uint16_t style, bool dateFirst, ShortString* out);
void STRMINUTES(int32_t minutes, uint16_t style, bool dateFirst, bool withWeekday,
                ShortString* out);
void STRDT2NAME(uint16_t year, uint16_t month, uint16_t day, ShortString* out);
void STRTM2NAME(uint16_t hour, uint16_t minute, uint16_t second, ShortString* out);
void STRPCKDT2NAME(uint32_t packed, ShortString* out);
void STRPCKTM2NAME(uint32_t packed, ShortString* out);
void STRMINUTE(uint16_t seconds, ShortString* out);
void STRWEEKLONG(uint8_t mask, ShortString* out);
void STRWEEKSHORT(uint8_t mask, ShortString* out);
void STRWEEKMARKS(uint8_t mask, ShortString* out);
void TILDACODETEXT(const ShortString* s, ShortString* out);
void TILDATOGGLETEXT(const ShortString* s, ShortString* out);
void TILDAREFERENCE(const ShortString* s, ShortString* out);
uint8_t TILDACODELENGTH(const ShortString* s);
// Takes the address of a variable that points to the string.
uint8_t TILDATOGGLELENGTH(const ShortString* const* s);
// table: 256 bytes.
void STR2TABLE(const ShortString* pattern, uint8_t* table);
int32_t HEURISTICSEARCH(const ShortString* pattern, const ShortString* text,
                        const uint8_t* table);
void STRB62(int32_t value, ShortString* out);
int32_t VALB62(const ShortString* s);

#ifdef __cplusplus
}
#endif
