#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win {

// An environment variable, found like Windows finds it: the exact name first,
// else the first variable whose name matches without regard to case. The
// value in code page 1250 (as it is when it is no UTF-8 text); nullopt when unset.
std::optional<std::string> GetEnvironmentVariable(std::string_view name);

}  // namespace win
