#pragma once

#include <string_view>

namespace cl {

// The text without the blanks at its ends, as a view into it. Trim counts as
// blank every byte up to the space (the class library's Trim: controls and
// spaces); TrimOf only the characters given, so a caller that trims spaces
// alone keeps tabs and line ends.
std::string_view Trim(std::string_view text);
std::string_view TrimOf(std::string_view text, std::string_view blanks);

}  // namespace cl
