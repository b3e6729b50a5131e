#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dlg {

// Texts by number; an empty text means the number has none.
using TextSource = std::function<std::string(std::uint16_t number)>;

// The suite's text library.
std::string SuiteText(std::uint16_t number);

}  // namespace dlg
