#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// The text table: "number<TAB>text" lines (the format is described at the top
// of suite/data/brantxt_texts.txt).
using TextTable = std::unordered_map<std::uint16_t, std::string>;

// Reads the lines of a table. Lines that do not read are skipped; the first
// line of a number wins.
TextTable ParseTextTable(std::string_view data);

// The table compiled into the library, read on first use.
const TextTable& BuiltInTexts();
