#pragma once

#include <optional>
#include <string>

#include "platform/gui/colors.h"

namespace html {

// Colours are the class library's (0x00BBGGRR). Callers set the
// palette-relative flag 0x02000000 on every colour taken from a document.
using HtmlColor = cl::TColor;

// A colour name (BLACK ... WHITE, any case) or hexadecimal RRGGBB. The first
// "#" is removed from s wherever it stands. Only the low 24 bits of a longer
// number count, so the result is never a system colour. nullopt for an empty
// or unreadable text.
std::optional<HtmlColor> ColorFromString(std::string& s);

}  // namespace html
