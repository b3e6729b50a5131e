#include "utility/numbers.h"

#include <cstring>

namespace utl {

std::int32_t MEMCMP(const void* p, const void* q, std::int32_t n) {
  if (n <= 0 || p == q) return 1;
  if (!p || !q) return 0;
  return std::memcmp(p, q, static_cast<std::size_t>(n)) == 0 ? 1 : 0;
}

}  // namespace utl
