#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dlg {

// Formats count into a pattern that came from outside (the text library),
// without handing it to printf: "%%" is "%", and one conversion %d, %i or %s
// with flags (- + blank 0), width and precision takes the count (%s as its
// decimal text). A pattern with any other conversion, a second one, or a
// "*" width is shown as it stands. The result is cut at 255 characters.
std::string FormatCount(std::string_view pattern, std::int32_t count);

}  // namespace dlg
