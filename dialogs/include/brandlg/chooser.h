#pragma once

/* The recipient chooser of libbrandlg.so: stations of the suite's station
   lists (page 0) and entries of the phone books (page 1), chosen into a
   selection of addresses. pages: bit n offers page n. modeFlags: 0x01 every
   accessible station, 0x02 / 0x04 / 0x08 phone entries may be used for the
   suite's network / fax / SMS, 0x10 only accessible network stations, 0x20 one
   recipient only. */

#include "brandlg/common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* One address as _CHOOSESTATIONS exchanges it; arrays of it lie back to
   back. Texts are short strings; an empty extra text is absent. */
#pragma pack(push, 1)
typedef struct tAddressRecord {
  uint8_t Kind; /* 1 a station row, 2 a phone number, 3 a URL naming a station */
  uint8_t Url[256];
  uint8_t Description[256];
  uint8_t UseFor; /* 1 the suite's network, 2 fax, 3 SMS */
  uint16_t Tag;   /* carried unchanged */
  uint8_t Extra1[256];
  uint8_t Extra2[256];
  uint8_t Extra3[256];
  uint8_t Extra4[256];
} tAddressRecord;
#pragma pack(pop)

BRANDLG_ASSERT(sizeof(tAddressRecord) == 1540, "tAddressRecord as the chooser takes it");
BRANDLG_ASSERT(offsetof(tAddressRecord, Url) == 1 && offsetof(tAddressRecord, Description) == 257 &&
                   offsetof(tAddressRecord, UseFor) == 513 && offsetof(tAddressRecord, Tag) == 514 &&
                   offsetof(tAddressRecord, Extra1) == 516 && offsetof(tAddressRecord, Extra2) == 772 &&
                   offsetof(tAddressRecord, Extra3) == 1028 && offsetof(tAddressRecord, Extra4) == 1284,
               "tAddressRecord's fields as the chooser takes them");

/* The chooser over count records; on OK the selection goes back into the
   first records (at most maxCount). Answers the number written, -1 on cancel,
   on a failure, for two records of one URL, and for a null array with a
   count or a maxCount above 0. */
int32_t _CHOOSESTATIONS(tAddressRecord* records, uint16_t count, uint16_t maxCount, uint8_t pages,
                        uint8_t modeFlags);
/* The chooser over urls, a zero-terminated text of one URL a line in a buffer
   of bufLen bytes. On OK the chosen URLs go back as whole lines, each ended
   by CR LF, with a zero: OK does not close while they would not fit in
   bufLen - 1 characters. 1 on OK, 0 on cancel or a failure (the text then
   stays). */
uint8_t CHOOSEPHONES(char* urls, uint16_t bufLen, uint8_t pages, uint8_t modeFlags);

#ifdef __cplusplus
}
#endif
