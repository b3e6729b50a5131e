#include "platform/core/mul_div.h"

#include <limits>

namespace win {

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  // Magnitudes fit unsigned 64 bits even for INT32_MIN * INT32_MIN.
  const uint64_t num = product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
  const uint64_t den = c < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
  const uint64_t quotient = (num + den / 2) / den;
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  if (quotient > limit) return -1;
  return negative ? static_cast<int32_t>(0 - static_cast<int64_t>(quotient)) : static_cast<int32_t>(quotient);
}

}  // namespace win
