#pragma once

#include <string>
#include <string_view>

namespace cl {

// Case of code page 1250 text as the class library's Ansi routines see it:
// ASCII letters and the letters with diacritics that 1250 holds in both
// cases (Š/š, Č/č, Ř/ř, ...). Other bytes have no case.

char AnsiUpperChar(char ch);
char AnsiLowerChar(char ch);
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

// Negative, zero or positive. The order is the byte order of the upper-cased
// text, so every sorted list, search and comparison agrees on one order.
int AnsiCompareText(std::string_view a, std::string_view b);
// Case-sensitive: plain byte order.
int AnsiCompareStr(std::string_view a, std::string_view b);

}  // namespace cl
