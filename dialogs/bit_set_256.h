#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace dlg {

// A set of elements 0..255 in the compiler's set layout: element n is bit
// n mod 8 of byte n div 8. Elements outside 0..255 are never members.
struct tBitSet256 {
  static constexpr int kElements = 256;
  std::array<std::uint8_t, 32> bytes{};

  bool Contains(int n) const { return n >= 0 && n < kElements && (bytes[Byte(n)] & Bit(n)) != 0; }
  void Toggle(int n) {
    if (n >= 0 && n < kElements) bytes[Byte(n)] ^= Bit(n);
  }
  // The elements of this set that are not in other.
  tBitSet256 Minus(const tBitSet256& other) const {
    tBitSet256 result;
    for (std::size_t i = 0; i < bytes.size(); ++i) result.bytes[i] = static_cast<std::uint8_t>(bytes[i] & ~other.bytes[i]);
    return result;
  }
  bool operator==(const tBitSet256&) const = default;

 private:
  static std::size_t Byte(int n) { return static_cast<std::size_t>(n / 8); }
  static std::uint8_t Bit(int n) { return static_cast<std::uint8_t>(1u << (n % 8)); }
};
static_assert(sizeof(tBitSet256) == 32);

}  // namespace dlg
