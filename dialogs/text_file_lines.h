#pragma once

#include <functional>
#include <string_view>

#include "platform/core/short_string.h"

namespace dlg {

// The characters of a line that a text file's reader with a 255-character
// string keeps; the rest of a longer line is passed over.
constexpr std::size_t TextLineLimit = ShortString::MaxLength;

// Calls onLine for each line of the file (opened read-only, denying none),
// without its line end (CR, LF or CR LF) and cut to TextLineLimit characters. Throws when
// the file cannot be opened or read; the lines before a failure have been
// handed on by then.
void ForEachTextLine(std::string_view fileName, const std::function<void(std::string_view line)>& onLine);

}  // namespace dlg
