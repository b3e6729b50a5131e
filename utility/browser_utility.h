#pragma once

// The utility routines the browser links in its own build (browser_utility),
// made from the same sources as the library's. Three behave differently
// there: CLOSEHANDLE treats the handles 0 to 4 like -1, ISHANDLEVALID is
// false for them, and MAKEDIRECTORY looks at the parent with a status query.
//
// Strings: STRCUTBTO, STRLBO, STRTBO, STRTRIM, STRACC, STRDCC; numbers: IMIN
// (utl::Min); paths: FSPLIT, FEXPAND, DIRNAME; handles: OPENHANDLE,
// CREATEHANDLE, CLOSEHANDLE, ISHANDLEVALID, READHANDLECOND, WRITEHANDLE,
// SEEKHANDLETO, SEEKHANDLEEND, COPYBLOCK; files: COPYFILE, DELETEFILE,
// DELETEANYWAY, DIREXISTS, MAKEDIRECTORY.
#include "utility/file_operations.h"
#include "utility/numbers.h"
#include "utility/path_names.h"
#include "utility/raw_handles.h"
#include "utility/short_strings.h"

namespace utl {

inline std::int32_t IMIN(std::int32_t a, std::int32_t b) { return Min(a, b); }

}  // namespace utl
