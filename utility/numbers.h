#pragma once

#include <cstdint>

// Minimum, maximum, wrapping counters, range tests and clamping on the
// library's integer kinds: 32-bit signed, and 16-bit unsigned.
namespace utl {

template <typename T>
constexpr T Max(T a, T b) { return a > b ? a : b; }

template <typename T>
constexpr T Min(T a, T b) { return a < b ? a : b; }

// One step up, back to low once high is reached.
template <typename T>
constexpr T IncIn(T x, T low, T high) { return x >= high ? low : static_cast<T>(x + 1); }

// One step down, back to high once low is reached.
template <typename T>
constexpr T DecIn(T x, T low, T high) { return x <= low ? high : static_cast<T>(x - 1); }

template <typename T>
constexpr bool IsIn(T x, T low, T high) { return low <= x && x <= high; }

// low wins over high when the two are crossed.
template <typename T>
constexpr T Limit(T x, T low, T high) { return x < low ? low : x > high ? high : x; }

constexpr std::int32_t LUCMP(std::uint32_t a, std::uint32_t b) { return a == b ? 0 : a < b ? -1 : 1; }

constexpr std::int32_t SIGN(std::int32_t x) { return x < 0 ? -1 : x > 0 ? 1 : 0; }

// 1 when the n bytes at p and q are equal (n of 0 or less included), else 0.
std::int32_t MEMCMP(const void* p, const void* q, std::int32_t n);

}  // namespace utl
