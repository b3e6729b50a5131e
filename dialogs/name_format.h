#pragma once

#include <string>
#include <string_view>

namespace dlg {

// A pattern from outside (the text library) with one "%s" for a name, filled
// without printf: "%%" is "%"; a pattern with any other conversion or a
// second one is shown as it stands.
std::string FormatName(std::string_view pattern, std::string_view name);

}  // namespace dlg
