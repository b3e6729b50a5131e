#pragma once

#include <cstdint>

// Bit sets of up to 256 elements in up to 32 bytes: element e is bit e mod 8
// of byte e div 8. Byte counts above 32 are taken as 32.
namespace utl {

inline constexpr std::uint16_t kBitSetBytes = 32;

// The number of elements among the first n * 8.
std::uint16_t CARDINALITY(const std::uint8_t* set, std::uint16_t n);

// out (32 bytes) := the elements of a that are not in b, among the first n * 8.
// out may be a or b.
void DIFFERENCE(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, std::uint16_t n);

// 1 shifted left k times: 1 for k <= 0, 0 from 32 on.
std::int32_t ORD2MSK(std::int32_t k);

// The position of the highest set bit; 0 for m <= 1 (bit 31 set included).
std::int32_t MSK2ORD(std::int32_t m);

}  // namespace utl
