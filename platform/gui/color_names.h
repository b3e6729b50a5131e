#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/colors.h"

namespace cl {

// The class library's colour names ("clRed", "clWindow", ...).

struct TColorName {
  TColor Value;
  std::string_view Name;
};

// Every named colour: the 16 fixed colours, then the system colours.
const std::vector<TColorName>& ColorNames();

// The colour's name, else "$" and eight upper-case hex digits ("$00C0FFEE").
std::string ColorToString(TColor color);
// A name (any case) or an integer text ("$00C0FFEE", "255"); nullopt for
// anything else.
std::optional<TColor> StringToColor(std::string_view text);

}  // namespace cl
