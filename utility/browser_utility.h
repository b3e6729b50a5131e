#pragma once

// The utility routines the browser uses, from the same build as the
// library's. The browser takes the standard handles 0 to 4 for no handle:
// it passes browserHandles to CLOSEHANDLE and ISHANDLEVALID.
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

inline constexpr StandardHandles browserHandles = StandardHandles::AreNone;

inline std::int32_t IMIN(std::int32_t a, std::int32_t b) { return Min(a, b); }

}  // namespace utl
