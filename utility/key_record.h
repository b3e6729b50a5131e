#pragma once

#include <cstddef>
#include <cstdint>

// The key record (file and memory format): 1024 random key bits guarded by a
// CRC-32 register over the key bytes.
#pragma pack(push, 1)
struct tKeyRecord {
  std::uint32_t crc;         // register over the first byteLength key bytes
  std::uint8_t kind;         // 0 none, 1 key
  std::uint16_t byteLength;  // 128
  std::uint16_t bitLength;   // 1024
  std::uint8_t key[4097];    // the key, then filler
};
#pragma pack(pop)
static_assert(sizeof(tKeyRecord) == 4106);
static_assert(offsetof(tKeyRecord, kind) == 4 && offsetof(tKeyRecord, byteLength) == 5 &&
              offsetof(tKeyRecord, bitLength) == 7 && offsetof(tKeyRecord, key) == 9);

namespace utl {

inline constexpr std::uint8_t KeyKindNone = 0;
inline constexpr std::uint8_t KeyKindKey = 1;

// Kind 0 clears the record, kind 1 makes a new key; other kinds only store the kind.
void GeneratePKC(std::uint8_t kind, tKeyRecord& record);
// True when a kind-1 record's register does not match its key bytes.
bool CheckPKC(const tKeyRecord& record);
// 0 when the records count as the same key, else 1.
std::int32_t ComparePKC(const tKeyRecord& a, const tKeyRecord& b);

}  // namespace utl
