#include "utility/bit_sets.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace utl {

std::uint16_t CARDINALITY(const std::uint8_t* set, std::uint16_t n) {
  if (!set) return 0;
  const std::uint16_t bytes = std::min(n, kBitSetBytes);
  std::uint16_t count = 0;
  for (std::uint16_t i = 0; i < bytes; ++i) count += static_cast<std::uint16_t>(std::popcount(set[i]));
  return count;
}

void DIFFERENCE(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, std::uint16_t n) {
  if (!out) return;
  const std::uint16_t bytes = (a && b) ? std::min(n, kBitSetBytes) : 0;
  // Computed before out is cleared, so that out may be one of the inputs.
  std::uint8_t result[kBitSetBytes] = {};
  for (std::uint16_t i = 0; i < bytes; ++i) result[i] = static_cast<std::uint8_t>(a[i] & ~b[i]);
  std::memcpy(out, result, kBitSetBytes);
}

std::int32_t ORD2MSK(std::int32_t k) {
  if (k <= 0) return 1;
  if (k >= 32) return 0;
  return static_cast<std::int32_t>(std::uint32_t{1} << k);
}

std::int32_t MSK2ORD(std::int32_t m) {
  if (m <= 1) return 0;
  return std::bit_width(static_cast<std::uint32_t>(m)) - 1;
}

}  // namespace utl
