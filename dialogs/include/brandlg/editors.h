#pragma once

/* The bit-set, page-layout and dual-list editors of libbrandlg.so. */

#include "brandlg/common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* original and current: the caller's 32-byte sets of 256 bits; items: a
   zero-terminated text, one item a line. Answers the modal result. */
uint16_t EDITBITSET(uint8_t editable, const ShortString* caption, const void* original, void* current,
                    const char* items);
/* The page layouts of the suite's configuration, opened on tab startTab. */
void EDITPAGELAYOUTS(int32_t startTab);
/* A key and value pair chosen from a two-column list file, the form's top
   left corner wanted at (x, y) on the screen. Answers the modal result, 1
   when a pair was chosen (key and value then written), 2 on a failure. */
uint16_t SELECTFROMDUAL(int32_t x, int32_t y, const ShortString* fileName, const ShortString* formCaption,
                        const ShortString* headerCaption1, const ShortString* headerCaption2,
                        const ShortString* current, ShortString* key, ShortString* value);

#ifdef __cplusplus
}
#endif
