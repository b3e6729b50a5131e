#include "platform/core/int_text.h"

#include <charconv>

namespace cl {

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // Hexadecimal covers all 32 bits; decimal stays within the signed range.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
  if (magnitude > limit) return std::nullopt;
  const auto bits = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
  return static_cast<std::int32_t>(bits);
}

}  // namespace cl
