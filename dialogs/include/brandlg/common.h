#pragma once

/* What every header of libbrandlg.so shares. A short string is 256 bytes: a
   length byte and up to 255 characters (code page 1250); a var short string
   is the caller's 256-byte buffer. A Boolean is one byte, 0 or 1. Nothing is
   thrown across a call: each answers its failure value. */

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#include "platform/core/short_string.h"
#else
typedef struct ShortString ShortString;
#endif

/* The static assertions of the headers, in either language. */
#ifdef __cplusplus
#define BRANDLG_ASSERT(condition, why) static_assert(condition, why)
#else
#define BRANDLG_ASSERT(condition, why) _Static_assert(condition, why)
#endif
