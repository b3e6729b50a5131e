#include "utility/fill_pool.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

#include "platform/core/scheduler.h"

namespace utl {

namespace {

using Pool = std::array<std::uint8_t, 256>;

constexpr Pool StartingPool() {
  Pool pool{};
  std::uint32_t state = 0x2545F491u;
  for (std::size_t i = 1; i < pool.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    pool[i] = static_cast<std::uint8_t>(state >> 24);
  }
  pool[0] = 255;
  return pool;
}

// The one fill pool of the process. The lock only keeps concurrent calls from
// tearing the pool; their order is still unspecified.
struct FillPool {
  std::mutex mutex;
  Pool bytes = StartingPool();
};

FillPool& ThePool() {
  static FillPool pool;
  return pool;
}

}  // namespace

void STRRND(ShortString& s, std::int32_t size) {
  const std::size_t places = static_cast<std::size_t>(std::clamp<std::int32_t>(size, 0, 255));
  FillPool& pool = ThePool();
  const std::lock_guard lock(pool.mutex);
  if (places > s.length) std::memcpy(s.chars + s.length, pool.bytes.data(), places - s.length);

  std::memmove(&pool.bytes[1], &pool.bytes[5], 251);
  std::uint32_t tail;
  std::memcpy(&tail, &pool.bytes[252], sizeof tail);
  tail ^= win::GetTickCount();
  std::memcpy(&pool.bytes[252], &tail, sizeof tail);
}

}  // namespace utl
