#pragma once

#include <string>
#include <string_view>

// Long strings and zero-terminated strings. Unlike the short-string routines,
// trimming long strings treats every character at or below 32 as space.
namespace utl {

std::string LSFTRIM(std::string_view s);
std::string LSFLBO(std::string_view s);
std::string LSFTBO(std::string_view s);
std::string LSFUPR(std::string_view s);  // ASCII letters only
std::string LSFLWR(std::string_view s);

// In place: every character below 32 becomes a blank. Returns p (null for null).
char* SZFWHITESPACES(char* p);

// In place: trailing blanks cut, leading blanks removed by moving the rest to
// the front. Returns p (null for null).
char* SZFTRIM(char* p);

}  // namespace utl
