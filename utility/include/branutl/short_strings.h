#pragma once

/* Short-string routines of libbranutl.so. A ShortString is 256 bytes: a length
   byte and up to 255 characters. Every result goes to a caller's buffer, is cut
   at 255 characters and may be the same buffer as an input. A null input reads
   as the empty string; a null result buffer is ignored. */

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

/* Comparing. */
int32_t STRCMP(const ShortString* a, const ShortString* b);
bool STRBEGIN(const ShortString* prefix, const ShortString* s);
bool STRWLDCMP(const ShortString* s, const ShortString* pattern);
int32_t STRWEQCMP(const ShortString* a, const ShortString* b);
bool CMPID(const void* field, uint16_t n, const ShortString* s);
void FILLID(void* field, uint16_t n, const ShortString* s);

/* Blanks and zeros. */
void STRLBO(const ShortString* s, ShortString* out);
void STRTBO(const ShortString* s, ShortString* out);
void STRTRIM(const ShortString* s, ShortString* out);
void STRABO(const ShortString* s, ShortString* out);
void STRRBO(const ShortString* s, ShortString* out);
void STRLZO(const ShortString* s, ShortString* out);
void STRLB0(const ShortString* s, ShortString* out);
void FILLINNAUGHT(const ShortString* s, ShortString* out);

/* Cutting: s is rewritten with the rest, head receives the part before. */
void STRCUTBTO(char ch, ShortString* s, ShortString* head);
void STRCUTBTL(int32_t n, ShortString* s, ShortString* head);

/* Parts around a marker. */
void STRDELBTO(char ch, const ShortString* s, ShortString* out);
void STRDELBTW(char ch, const ShortString* s, ShortString* out);
void STRDELETO(char ch, const ShortString* s, ShortString* out);
void STRDELETW(char ch, const ShortString* s, ShortString* out);
void STRDELFTO(char ch1, char ch2, const ShortString* s, ShortString* out);
void STRDELFTW(char ch1, char ch2, const ShortString* s, ShortString* out);
void STRCPYBTO(char ch, const ShortString* s, ShortString* out);
void STRCPYBTW(char ch, const ShortString* s, ShortString* out);
void STRCPYETO(char ch, const ShortString* s, ShortString* out);
void STRCPYETW(char ch, const ShortString* s, ShortString* out);
void STRCPYFTO(char ch1, char ch2, const ShortString* s, ShortString* out);
void STRCPYFTW(char ch1, char ch2, const ShortString* s, ShortString* out);

/* Case (ASCII letters only). */
void STRUPR(const ShortString* s, ShortString* out);
void STRLWR(const ShortString* s, ShortString* out);

/* Widths and shortening. */
void STRLEFT(const ShortString* s, int32_t width, ShortString* out);
void STRRIGHT(const ShortString* s, int32_t width, ShortString* out);
void STRCNTR(const ShortString* s, int32_t width, ShortString* out);
void STRSHRNK(const ShortString* s, int32_t n, ShortString* out);
void STRTRUNC(const ShortString* s, int32_t n, ShortString* out);

/* Characters and parameters. */
void STRDBLCHAR(const ShortString* s, char ch, ShortString* out);
void STRREPL(char from, char to, const ShortString* s, ShortString* out);
void STRDELCHR(char ch, const ShortString* s, ShortString* out);
void STRACC(const ShortString* s, char ch, ShortString* out);
void STRDCC(const ShortString* s, char ch, ShortString* out);
void STRSUBPAR(const ShortString* s, const ShortString* name, const ShortString* value,
               ShortString* out);
/* set: bit n of byte n / 8 holds element n (up to 32 bytes). */
void STRSET(const void* set, int32_t count, ShortString* out);
void STRSUB(const ShortString* a, const ShortString* b, ShortString* out);

/* Words; positions are 1-based. */
bool WORD_DELIM(char ch);
void GET_WORD(const ShortString* s, uint16_t pos, ShortString* out);
uint16_t WORD_LEFT(const ShortString* s, uint16_t pos);
uint16_t WORD_RIGHT(const ShortString* s, uint16_t pos);

/* Tabs, caret notation, fill. */
void EXPANDTABS(const ShortString* s, int32_t width, ShortString* out);
void STRCTA(const ShortString* s, ShortString* out);
void STRATC(const ShortString* s, ShortString* out);
/* Fills s's buffer after its last character up to place size (at most 255)
   from the library's fill pool, whose first byte is 255; the length byte is
   left as it is. */
void STRRND(ShortString* s, int32_t size);

#ifdef __cplusplus
}
#endif
