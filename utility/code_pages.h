#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace utl {

// Conversions between the suite's 8-bit code pages: 895 (Kamenicky), 852 and
// 437 (DOS) and 1250 (Windows). Characters below 128 never change, and the
// length never changes.
std::string STR895X437(std::string_view s);
std::string STR895X852(std::string_view s);
std::string STR852X437(std::string_view s);
std::string STR852X895(std::string_view s);
std::string STR1250X895(std::string_view s);
std::string STR895X1250(std::string_view s);
std::string STR1250X437(std::string_view s);

// Case in code page 895: ASCII letters and the 895 letters.
std::string STR895LWR(std::string_view s);
std::string STR895UPR(std::string_view s);
char UP895CASE(char c);

// The weekday marks, Monday = 0, each at most two characters; empty until
// LoadTextTables has run, or when the text library has no text for the day.
std::string_view LongWeekdayMark(int day);
std::string_view ShortWeekdayMark(int day);

// Fills the weekday marks from texts 128 to 134 (long) and 135 to 141 (short),
// each cut to two characters. Runs once when the library is loaded.
using TextByNumber = std::function<std::string(std::uint16_t number)>;
void LoadTextTables(const TextByNumber& text);

}  // namespace utl
