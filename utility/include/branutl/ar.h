#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* AR block compression of buffers below 64 KB; types 6, 7, 8. Returns the
   block size, or the source length when the data were not compressed. */
uint16_t AR_COMPRESS(uint8_t type, const void* source, uint16_t sourceLength, void* target,
                     uint16_t targetSize, void* work, uint16_t workSize);

/* Returns the uncompressed length, or 0xFFFF (too short or damaged), 0xFFFE
   (bad header), 0xFFFD (target too small), 0xFFFC (work buffer too small). */
uint16_t AR_DECOMPRESS(const void* source, uint16_t sourceLength, void* target,
                       uint16_t targetSize, void* work, uint16_t workSize);

#ifdef __cplusplus
}
#endif
