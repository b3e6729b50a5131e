#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dlg {

// Asks for a line of text (at most 255 characters) starting from value:
// the edited text when the user confirms with OK, nullopt otherwise.
// Exceptions reach the caller; the form is freed first.
std::optional<std::string> InputQuery(std::string_view caption, std::string_view prompt, std::string_view value);

// The edited text when confirmed, else defaultValue.
std::string InputBox(std::string_view caption, std::string_view prompt, std::string_view defaultValue);

}  // namespace dlg
