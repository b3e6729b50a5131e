/* libbranutl.so's public headers as a C caller sees them: each stands on its
   own, and the records the calls take are complete types there. */
#include "branutl/ar.h"
#include "branutl/bk_files.h"
#include "branutl/calendar.h"
#include "branutl/ciphers.h"
#include "branutl/code_pages.h"
#include "branutl/crc.h"
#include "branutl/date_texts.h"
#include "branutl/files.h"
#include "branutl/handles.h"
#include "branutl/locks.h"
#include "branutl/numbers.h"
#include "branutl/paths.h"
#include "branutl/short_strings.h"
#include "branutl/sound_slots.h"
#include "branutl/station_ids.h"
#include "branutl/urls.h"

_Static_assert(sizeof(tBKHeader) == 32, "tBKHeader as the calls take it");
_Static_assert(sizeof(tKeyRecord) == 4106, "tKeyRecord as the calls take it");
