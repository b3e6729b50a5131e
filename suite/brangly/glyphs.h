#pragma once

#include <string_view>

#include "platform/gui/gdi_objects.h"

// The glyphs, drawn anew on each call; null for an unknown name.
win::UniqueBitmap DrawGlyph(std::string_view name);
