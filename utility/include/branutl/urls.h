#pragma once

// Phone texts, station and phone URLs, and file URLs.
#include <stdbool.h>
#include <stdint.h>

#include "station_ids.h"

#ifdef __cplusplus
extern "C" {
#endif

void URISETDEFAULTCOUNTRY(const ShortString* country);
void URIGETDEFAULTCOUNTRY(ShortString* out);
void URISETDEFAULTCITY(const ShortString* area);
void URIGETDEFAULTCITY(ShortString* out);
void URIURL2DOS(const ShortString* url, ShortString* out);
void URIEXPAND(const ShortString* url, const ShortString* baseFile, const ShortString* basePath,
               ShortString* out);
// Always FALSE. The delimiter is 0 when there is none.
bool URISPLIT(const ShortString* url, ShortString* scheme, ShortString* host, ShortString* path,
              ShortString* tail, char* delimiter);
void URIEXPANDBKSSCHEME(const ShortString* scheme, const ShortString* user,
                        const ShortString* phone, const ShortString* path,
                        const ShortString* tail, tSID sid, char delimiter, ShortString* out);
// TRUE on failure.
bool URISPLITBKSSCHEME(const ShortString* url, ShortString* scheme, ShortString* user,
                       ShortString* phone, ShortString* sidText, ShortString* path,
                       ShortString* tail, char* delimiter);
uint8_t URISCHEME2USEFOR(const ShortString* scheme);
void URIUSEFOR2SCHEME(uint8_t useFor, ShortString* out);
void URIFULLPHONE(const ShortString* phone, const ShortString* country, const ShortString* area,
                  ShortString* out);
// The outputs are short strings of limited size: country and area 7 bytes
// (a length byte and 6 characters), number 14 bytes.
void URISPLITPHONE(const ShortString* phone, uint8_t* country, uint8_t* area, uint8_t* number);
void URIMUNICIPALPHONE(const ShortString* phone, ShortString* out);
void URINATIONALPHONE(const ShortString* phone, ShortString* out);
void URINATIONALPREFIX(const ShortString* area, ShortString* out);
void URIINTERNATIONALSTATE(const ShortString* country, ShortString* out);
void URIINTERNATIONALPHONE(const ShortString* phone, ShortString* out);
void URISID2URL(tSID sid, const ShortString* country, const ShortString* area,
                const ShortString* phone, ShortString* out);
// The null id 0x30 when the URL names no station.
tSID URIURL2SID(const ShortString* url);
void URIURL2SIDOFF(const ShortString* url, ShortString* out);
void URIURL2PHONE(const ShortString* url, ShortString* out);
void URIPHONE2URL(const ShortString* scheme, const ShortString* country, const ShortString* area,
                  const ShortString* phone, ShortString* out);
void URIFULLPHONE2URL(const ShortString* scheme, const ShortString* phone, ShortString* out);
bool URICOMPARECITY(const ShortString* phone, const ShortString* country,
                    const ShortString* area);

#ifdef __cplusplus
}
#endif
