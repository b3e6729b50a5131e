#pragma once

/* Message shortcuts and sending confirmations of libbrandlg.so: a text by
   number of the suite's text library with a fixed type and button set. Each
   answers the modal result (0 when no box could be shown). */

#include "brandlg/common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The same as MESSAGEDLG. */
uint16_t TOPMESSAGE(const ShortString* msg, uint8_t dlgType, uint16_t buttons, int32_t helpCtx);
/* The error sound (sound slot 4 of libbranutl.so), then msg as an error. */
uint16_t SHOWERROR(const ShortString* msg);
uint16_t ERROR(uint16_t textNo);
uint16_t WARNING(uint16_t textNo);
/* 6 Yes, 7 No. */
uint16_t CONFIRM(uint16_t textNo);
uint16_t OK(uint16_t textNo);
uint16_t EVENTOK(void);

/* The count formatted into a text chosen by its grammatical number and the
   flags, shown as information with [OK]. */
void LETTERSENDOK(int32_t count, uint8_t flag1, uint8_t flag2);
void POLLSENDOK(int32_t count, uint8_t kind, uint8_t flag);
void QUERYSENDOK(int32_t count, uint8_t flag1, uint8_t flag2);
void GETFSENDOK(int32_t count, uint8_t flag);
void SMSSENDOK(int32_t count, uint8_t flag);

#ifdef __cplusplus
}
#endif
