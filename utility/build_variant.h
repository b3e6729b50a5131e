#pragma once

// The browser links its own build of some utility routines, compiled from the
// same sources with BRANNIK_BROWSER_UTILITY. Routines whose behaviour differs
// there (and those that call them) sit in an inline namespace of that build, so
// both builds can live in one program without clashing.
#ifdef BRANNIK_BROWSER_UTILITY
#define BRANNIK_VARIANT_BEGIN inline namespace browser_build {
#define BRANNIK_VARIANT_END }
#else
#define BRANNIK_VARIANT_BEGIN
#define BRANNIK_VARIANT_END
#endif
