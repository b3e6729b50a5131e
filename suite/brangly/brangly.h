#pragma once

#include "platform/gui/gdi_objects.h"

// The suite's glyph library: small bitmaps by name, drawn on the transparent
// colour GlyphTransparent.
inline constexpr int GlyphTransparent = 0x800080;
// "ADRMARKS": square cells of GlyphCell pixels side by side.
inline constexpr int GlyphCell = 16;

extern "C" {

// A new bitmap the caller owns; null for any other name. "CHECKMARK" and
// "ADRMARKS"; and for the phone-book page's speed buttons two cells each
// (normal, disabled): "BOOKSAVE", "BOOKNEW", "ENTRYADD", "ENTRYDUP",
// "ENTRYEDIT", "ENTRYDEL".
win::HBITMAP GLYPH(const char* name);
}
