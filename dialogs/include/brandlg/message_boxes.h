#pragma once

/* Message and input boxes of libbrandlg.so. Message types: 0 warning,
   1 error, 2 information, 3 confirmation, 4 custom (the program's name as
   caption). Buttons: bit n of the set is button n, in this order: Yes (6),
   No (7), OK (1), Cancel (2), Abort (3), Retry (4), Ignore (5), All (8),
   Help (0), Append (9), Overwrite (10); the number in brackets is the modal
   result the button gives. */

#include "brandlg/common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The box with its left edge at x and its top edge at y on the screen (a
   negative value keeps it centred on that axis); 0 when it could not be
   shown. */
uint16_t MESSAGEDLGPOS(const ShortString* msg, uint8_t dlgType, uint16_t buttons, int32_t helpCtx, int32_t x,
                       int32_t y);
uint16_t MESSAGEDLG(const ShortString* msg, uint8_t dlgType, uint16_t buttons, int32_t helpCtx);
/* A custom message with [OK]. */
uint16_t SHOWMESSAGEPOS(const ShortString* msg, int32_t x, int32_t y);
uint16_t SHOWMESSAGE(const ShortString* msg);
/* 1 when confirmed with OK; value then holds the edited text. */
uint8_t INPUTQUERY(const ShortString* caption, const ShortString* prompt, ShortString* value);
/* result: the edited text when confirmed, else the default; the two may be
   one buffer. */
void INPUTBOX(const ShortString* caption, const ShortString* prompt, const ShortString* defaultValue,
              ShortString* result);

#ifdef __cplusplus
}
#endif
