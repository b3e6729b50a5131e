#include "branutl/ar.h"

#include "platform/core/export_guard.h"
#include "utility/ar_block.h"

BRANNIK_EXPORT uint16_t AR_COMPRESS(uint8_t type, const void* source, uint16_t sourceLength,
                                    void* target, uint16_t targetSize, void* work,
                                    uint16_t workSize) {
  return ExportGuard(sourceLength, [&] {
    return ARCompress(type, static_cast<const std::uint8_t*>(source), sourceLength,
                      static_cast<std::uint8_t*>(target), targetSize,
                      static_cast<std::uint8_t*>(work), workSize);
  });
}

BRANNIK_EXPORT uint16_t AR_DECOMPRESS(const void* source, uint16_t sourceLength, void* target,
                                      uint16_t targetSize, void* work, uint16_t workSize) {
  return ExportGuard(static_cast<uint16_t>(0xFFFF), [&] {
    return ARDecompress(static_cast<const std::uint8_t*>(source), sourceLength,
                        static_cast<std::uint8_t*>(target), targetSize,
                        static_cast<std::uint8_t*>(work), workSize);
  });
}
