#pragma once

// Day numbers (1 is 1 January 1980, 0 no date), date-time records, packed
// DOS times, the tick counter and the message-pumping delay.
#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
extern "C" {
#else
typedef struct ShortString ShortString;
#endif

#pragma pack(push, 1)
typedef struct tDateTimeRec {
  uint16_t year, month, day, hour, minute, second;
} tDateTimeRec;
#pragma pack(pop)

uint8_t GETDAYSOFMONTH(uint16_t year, uint16_t month);
int32_t GETDAYSINYEAR(uint16_t year, uint16_t month);
uint16_t YEAR2DAYS(uint16_t year);
uint16_t DATE2DAYS(uint16_t year, uint16_t month, uint16_t day);
void DAYS2DATE(uint16_t days, uint16_t* year, uint16_t* month, uint16_t* day);
// 1 Monday .. 7 Sunday.
uint8_t GETDAYOFWEEK(uint16_t year, uint16_t month, uint16_t day);
void DECDATE(uint16_t* year, uint16_t* month, uint16_t* day, uint16_t n);
void INCDATE(tDateTimeRec* rec, uint16_t years, uint16_t months, uint16_t days);
void INCTIME(tDateTimeRec* rec, uint16_t hours, uint16_t minutes, uint16_t seconds);
void UNPACKTIME(uint32_t packed, tDateTimeRec* rec);
void PACKTIME(const tDateTimeRec* rec, uint32_t* packed);
int32_t PACKEDTIME2SECONDS(uint32_t packed);
int32_t DAYDIFFERENCE(uint32_t a, uint32_t b);
int32_t TIMEDIFFERENCE(uint32_t a, uint32_t b);
int32_t DATEDIFFERENCE(uint32_t a, uint32_t b);
// Local now, packed; 0 outside the years 1980 to 2099.
uint32_t GETPACKEDDATETIME(void);
uint16_t GETDAYSSINCE1980(void);
uint16_t GETHOUR(void);
// The millisecond tick counter.
uint32_t GETRELATIVETIME(void);
// now - start, modulo 2^32.
uint32_t TICKDIFFERENCE(uint32_t start);
// (now - start) < timeout, unsigned.
bool WAITINGFOR(uint32_t start, uint32_t timeout);
// Returns after more than ms milliseconds, pumping messages meanwhile.
void DELAY(uint32_t ms);
// Local now as "d.m.yyyy hh:nn".
void NOWASTEXT(ShortString* out);
int64_t NOWASNAMESEED(void);

#ifdef __cplusplus
}
#endif
