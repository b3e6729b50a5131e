#pragma once

// Code pages 895, 852, 437 and 1250: conversions and the case of code page 895.
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

void STR895X437(const ShortString* s, ShortString* out);
void STR895X852(const ShortString* s, ShortString* out);
void STR852X437(const ShortString* s, ShortString* out);
void STR852X895(const ShortString* s, ShortString* out);
void STR1250X895(const ShortString* s, ShortString* out);
void STR895X1250(const ShortString* s, ShortString* out);
void STR1250X437(const ShortString* s, ShortString* out);
void STR895LWR(const ShortString* s, ShortString* out);
void STR895UPR(const ShortString* s, ShortString* out);
char UP895CASE(char c);

#ifdef __cplusplus
}
#endif
