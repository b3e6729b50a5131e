#pragma once

#include <cstddef>
#include <cstdint>

// The key record (tKeyRecord) is defined with the library's calls.
#include "utility/include/branutl/crc.h"

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
