#pragma once

#include <cstdint>
#include <string>

// Hexadecimal and base-32 texts of numbers and memory. Upper-case digits.
namespace utl {

char STRHEXDIGIT(std::uint8_t b);  // the low four bits
std::string STRHEXBYTE(std::uint8_t b);
std::string STRHEXWORD(std::uint16_t w);
std::string STRHEXDWORD(std::uint32_t d);
// All digits of the pointer's width.
std::string STRHEXPOINTER(const void* p);

// Two digits a byte, with a blank wherever a non-zero multiple of four bytes
// is still to come (groups of four counted from the end); cut at 255.
std::string STRHEXARRAY(const std::uint8_t* data, std::uint16_t n);

// The bytes as characters up to the first 0 byte or n bytes, cut at 255.
std::string STRARRAY(const char* data, std::int32_t n);

// 0-9 as "0".."9", 10-31 as "A".."V"; only the low five bits of d count.
char CHARBASE32(std::uint8_t d);

// Exactly width places (at most 255), the lowest five bits in the last place.
std::string INTTOBASE32(std::int32_t width, std::uint64_t value);

}  // namespace utl
