// Expansion of arbitrary bytes must end in bounded time with a result and no
// access outside the buffers; compressing the same bytes must round-trip.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "utility/ar_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0xFFFF) return 0;
  const auto length = static_cast<std::uint16_t>(size);
  // Exactly sized heap buffers (also of size 0), so that any overrun is caught.
  const auto source = std::make_unique<std::uint8_t[]>(size);
  if (size > 0) std::memcpy(source.get(), data, size);
  const std::uint16_t claimed = size >= 6 ? static_cast<std::uint16_t>(data[4] | data[5] << 8) : 0;
  const auto target = std::make_unique<std::uint8_t[]>(claimed);
  const auto work = std::make_unique<std::uint8_t[]>(8192);
  const std::uint16_t result = ARDecompress(source.get(), length, target.get(), claimed, work.get(), 8192);
  if (result < 0xFFFC && result != claimed) std::abort();

  if (size > 0) {
    const std::uint8_t type = static_cast<std::uint8_t>(6 + data[0] % 3);
    const std::uint16_t workSize = static_cast<std::uint16_t>(25 + data[0] * 97);
    const auto packed = std::make_unique<std::uint8_t[]>(size);
    const auto pending = std::make_unique<std::uint8_t[]>(workSize);
    const std::uint16_t packedSize =
        ARCompress(type, data, length, packed.get(), length, pending.get(), workSize);
    if (packedSize < length) {
      const auto back = std::make_unique<std::uint8_t[]>(size);
      if (ARDecompress(packed.get(), packedSize, back.get(), length, work.get(), 8192) != length ||
          std::memcmp(back.get(), data, size) != 0)
        std::abort();
    }
  }
  return 0;
}
