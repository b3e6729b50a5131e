#pragma once

// Station ids: the 32-bit id, its text and the two-character station code.
#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

typedef uint32_t tSID;

bool ISSIDVALID(tSID sid);
tSID COMPLETESID(tSID sid, uint16_t subIndex);
void SPLITSID(tSID* sid, uint8_t* subIndex);
uint16_t UTOASEXTINSID(tSID sid);
void STRSID(tSID sid, ShortString* out);
void STRSIDSHORT(tSID sid, ShortString* out);
// TRUE when the text is no station id; sid is then left as it was.
bool VALSID(const ShortString* text, tSID* sid);
tSID ASMSID(uint16_t extCode, uint16_t numberField, uint16_t subIndex);
int32_t CMPSID(tSID a, tSID b);
uint16_t UTOCODETOEXTCODE(uint16_t utoCode);
uint16_t EXTCODETOUTOCODE(uint16_t extCode);
void STRUTOCODE(uint16_t extCode, ShortString* out);
uint16_t VALUTOCODE(const ShortString* text);

#ifdef __cplusplus
}
#endif
