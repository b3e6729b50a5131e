#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace dlg {

// A short string of at most N characters in a fixed field: a length byte and
// N characters. Assigning writes only the characters it holds.
template <std::size_t N>
struct FixedString {
  static_assert(N >= 1 && N <= 255);
  std::uint8_t length;
  char chars[N];

  std::string_view View() const noexcept { return {chars, length <= N ? length : N}; }
  std::string Str() const { return std::string(View()); }
  // Cut to N characters.
  void Assign(std::string_view text) noexcept {
    const std::size_t n = text.size() > N ? N : text.size();
    if (n) std::memmove(chars, text.data(), n);
    length = static_cast<std::uint8_t>(n);
  }
};

}  // namespace dlg
