#include "utility/number_texts.h"

#include <algorithm>
#include <cstring>

#include "platform/core/short_string.h"
#include "utility/short_strings.h"

namespace utl {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kBase32Digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";

template <typename T>
std::string Hex(T value) {
  std::string out(sizeof(T) * 2, '0');
  for (std::size_t i = out.size(); i-- > 0; value = static_cast<T>(value >> 4))
    out[i] = kHexDigits[value & 0xF];
  return out;
}

}  // namespace

char STRHEXDIGIT(std::uint8_t b) { return kHexDigits[b & 0xF]; }

std::string STRHEXBYTE(std::uint8_t b) { return Hex(b); }

std::string STRHEXWORD(std::uint16_t w) { return Hex(w); }

std::string STRHEXDWORD(std::uint32_t d) { return Hex(d); }

std::string STRHEXPOINTER(const void* p) { return Hex(reinterpret_cast<std::uintptr_t>(p)); }

std::string STRHEXARRAY(const std::uint8_t* data, std::uint16_t n) {
  std::string out;
  if (!data) return out;
  for (std::size_t i = 0; i < n && out.size() < ShortString::MaxLength; ++i) {
    out += STRHEXBYTE(data[i]);
    const std::size_t toCome = n - i - 1;
    if (toCome != 0 && toCome % 4 == 0) out += ' ';
  }
  if (out.size() > ShortString::MaxLength) out.resize(ShortString::MaxLength);
  return out;
}

std::string STRARRAY(const char* data, std::int32_t n) {
  if (!data || n <= 0) return std::string();
  const std::size_t limit = std::min<std::size_t>(static_cast<std::size_t>(n), ShortString::MaxLength);
  const void* zero = std::memchr(data, 0, limit);
  return std::string(data, zero ? static_cast<const char*>(zero) - data : limit);
}

char CHARBASE32(std::uint8_t d) { return kBase32Digits[d & 31]; }

std::string INTTOBASE32(std::int32_t width, std::uint64_t value) {
  const std::size_t places = static_cast<std::size_t>(std::clamp<std::int32_t>(width, 0, ShortString::MaxLength));
  std::string out(places, '0');
  for (std::size_t i = places; i-- > 0; value >>= 5) out[i] = CHARBASE32(static_cast<std::uint8_t>(value & 31));
  return out;
}

}  // namespace utl
