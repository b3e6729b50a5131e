#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The suite's 8-bit text across library boundaries: a length byte and up to
// 255 characters (code page 1250). Position 1 is the first character.
struct ShortString {
  // The most characters a short string holds, and so the limit of every text
  // the system keeps in one.
  static constexpr std::size_t MaxLength = 255;

  std::uint8_t length;
  char chars[MaxLength];

  std::string_view View() const noexcept { return {chars, length}; }
  std::string Str() const { return std::string(View()); }

  // Stores text, cut at 255 characters. The source may alias this buffer.
  void Assign(std::string_view text) noexcept {
    const std::size_t n = text.size() > MaxLength ? MaxLength : text.size();
    if (n) std::memmove(chars, text.data(), n);
    length = static_cast<std::uint8_t>(n);
  }

  static ShortString From(std::string_view text) noexcept {
    ShortString s;
    s.Assign(text);
    return s;
  }
};
static_assert(sizeof(ShortString) == 256);
static_assert(alignof(ShortString) == 1);

// Reads an export argument; a null pointer reads as the empty string.
inline std::string ShortArg(const ShortString* s) { return s ? s->Str() : std::string(); }

// Writes an export result; a null result buffer is ignored.
inline void ShortResult(ShortString* out, std::string_view text) noexcept {
  if (out) out->Assign(text);
}
