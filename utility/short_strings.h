#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/short_string.h"

// The short-string routines of the utility library. Inputs of up to 255
// characters come in as views; every result that could grow is already cut
// at 255 characters. A blank is the character 32 only, case is ASCII only.
namespace utl {

// Comparing.
int STRCMP(std::string_view a, std::string_view b);  // -1, 0, 1
bool STRBEGIN(std::string_view prefix, std::string_view s);
bool STRWLDCMP(std::string_view s, std::string_view pattern);
int STRWEQCMP(std::string_view a, std::string_view b);  // shared leading characters
bool CMPID(std::span<const char> field, std::string_view s);
void FILLID(std::span<char> field, std::string_view s);

// Blanks and zeros.
std::string STRLBO(std::string_view s);
std::string STRTBO(std::string_view s);
std::string STRTRIM(std::string_view s);
std::string STRABO(std::string_view s);
std::string STRRBO(std::string_view s);
std::string STRLZO(std::string_view s);
std::string STRLB0(std::string_view s);

// Cutting a string in two: head and the rest.
struct CutResult {
  std::string head;
  std::string rest;
};
CutResult STRCUTBTO(char ch, std::string_view s);
CutResult STRCUTBTL(std::int32_t n, std::string_view s);

// Parts around the first or last marker; a missing marker returns s.
std::string STRDELBTO(char ch, std::string_view s);
std::string STRDELBTW(char ch, std::string_view s);
std::string STRDELETO(char ch, std::string_view s);
std::string STRDELETW(char ch, std::string_view s);
std::string STRDELFTO(char ch1, char ch2, std::string_view s);
std::string STRDELFTW(char ch1, char ch2, std::string_view s);
std::string STRCPYBTO(char ch, std::string_view s);
std::string STRCPYBTW(char ch, std::string_view s);
std::string STRCPYETO(char ch, std::string_view s);
std::string STRCPYETW(char ch, std::string_view s);
std::string STRCPYFTO(char ch1, char ch2, std::string_view s);
std::string STRCPYFTW(char ch1, char ch2, std::string_view s);

// Case.
char AsciiUpper(char c);
char AsciiLower(char c);
std::string STRUPR(std::string_view s);
std::string STRLWR(std::string_view s);

// Widths and shortening.
std::string STRLEFT(std::string_view s, std::int32_t width);
std::string STRRIGHT(std::string_view s, std::int32_t width);
std::string STRCNTR(std::string_view s, std::int32_t width);
std::string STRSHRNK(std::string_view s, std::int32_t n);
std::string STRTRUNC(std::string_view s, std::int32_t n);

// Characters and parameters.
std::string STRDBLCHAR(std::string_view s, char ch);
std::string STRREPL(char from, char to, std::string_view s);
std::string STRDELCHR(char ch, std::string_view s);
std::string STRACC(std::string_view s, char ch);
std::string STRDCC(std::string_view s, char ch);
std::string STRSUBPAR(std::string_view s, std::string_view name, std::string_view value);
// The elements below count (at most 256) of a bit set, as "1..3,7".
std::string STRSET(const std::uint8_t* set, std::int32_t count);
std::string STRSUB(std::string_view a, std::string_view b);

// Tabs: each one fills to the next output position that is a multiple of width.
std::string EXPANDTABS(std::string_view s, std::int32_t width);

}  // namespace utl
