#include "utility/crc32.h"

#include <cstring>
#include <memory>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace utl {

namespace {

constexpr std::uint32_t Polynomial = 0xEDB88320;  // 0x04C11DB7 reflected

// Made on first use, which is the library's start-up: it is destroyed only
// after the units have stopped (library_init.cpp).
std::unique_ptr<tCRCator>& TheCRCator() {
  static std::unique_ptr<tCRCator> crcator;
  return crcator;
}

#if defined(__x86_64__)
bool HasCarrylessMultiply() {
  return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
}

__attribute__((target("pclmul,sse4.1"))) inline __m128i Load(const std::uint8_t* q) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

__attribute__((target("pclmul,sse4.1"))) inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  return _mm_xor_si128(
      _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

// Folding by carry-less multiplication: four 128-bit lanes are each moved
// 512 bits on (multiplied by x^(512±32) mod P) and joined with the next data,
// then folded into one lane, to 64 and 32 bits, and reduced (Barrett) to the
// register. The constants are those powers of x modulo the reflected
// polynomial; n is at least 64 and a multiple of 16.
__attribute__((target("pclmul,sse4.1"))) std::uint32_t AddFolded(std::uint32_t reg,
                                                                 const std::uint8_t* p,
                                                                 std::size_t n) {
  const __m128i by4 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
  const __m128i by1 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
  const __m128i to32 = _mm_set_epi64x(0, 0x163cd6124);
  const __m128i barrett = _mm_set_epi64x(0x1f7011641, 0x1db710641);
  const __m128i low32 = _mm_set_epi32(0, 0, 0, -1);
  __m128i x1 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(reg)));
  __m128i x2 = Load(p + 16), x3 = Load(p + 32), x4 = Load(p + 48);
  p += 64;
  n -= 64;
  while (n >= 64) {
    x1 = Fold(x1, by4, Load(p));
    x2 = Fold(x2, by4, Load(p + 16));
    x3 = Fold(x3, by4, Load(p + 32));
    x4 = Fold(x4, by4, Load(p + 48));
    p += 64;
    n -= 64;
  }
  x1 = Fold(x1, by1, x2);
  x1 = Fold(x1, by1, x3);
  x1 = Fold(x1, by1, x4);
  for (; n >= 16; p += 16, n -= 16) x1 = Fold(x1, by1, Load(p));
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, by1, 0x10));
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 4),
                     _mm_clmulepi64_si128(_mm_and_si128(x1, low32), to32, 0x00));
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), barrett, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), barrett, 0x00);
  return static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(x1, t), 1));
}
#else
bool HasCarrylessMultiply() { return false; }
std::uint32_t AddFolded(std::uint32_t reg, const std::uint8_t*, std::size_t) { return reg; }
#endif

}  // namespace

tCRCator::tCRCator(std::uint8_t kind) : kind_(kind), carryless_(HasCarrylessMultiply()) {
  if (kind_ != CRCKind32) return;
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c >> 1) ^ ((c & 1) ? Polynomial : 0);
    table_[0][i] = c;
  }
  for (std::size_t k = 1; k < table_.size(); ++k)
    for (std::uint32_t i = 0; i < 256; ++i)
      table_[k][i] = (table_[k - 1][i] >> 8) ^ table_[0][table_[k - 1][i] & 0xFF];
}

void tCRCator::Add(std::uint8_t kind, const void* data, std::size_t length,
                   std::uint32_t& reg) const {
  if (kind != CRCKind32 || kind_ != CRCKind32 || length == 0) return;
  const auto* p = static_cast<const std::uint8_t*>(data);
  if (carryless_ && length >= 64) {
    const std::size_t folded = length & ~std::size_t{15};
    reg = AddFolded(reg, p, folded);
    p += folded;
    length -= folded;
  }
  reg = AddSliced(reg, p, length);
}

std::uint32_t tCRCator::AddSliced(std::uint32_t reg, const std::uint8_t* p, std::size_t n) const {
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the sliced loop reads little-endian words");
  const auto& t = table_;
  while (n >= 16) {
    std::uint64_t a, b;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 8, 8);
    a ^= reg;
    reg = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^
          t[12][(a >> 24) & 0xFF] ^ t[11][(a >> 32) & 0xFF] ^ t[10][(a >> 40) & 0xFF] ^
          t[9][(a >> 48) & 0xFF] ^ t[8][a >> 56] ^ t[7][b & 0xFF] ^ t[6][(b >> 8) & 0xFF] ^
          t[5][(b >> 16) & 0xFF] ^ t[4][(b >> 24) & 0xFF] ^ t[3][(b >> 32) & 0xFF] ^
          t[2][(b >> 40) & 0xFF] ^ t[1][(b >> 48) & 0xFF] ^ t[0][b >> 56];
    p += 16;
    n -= 16;
  }
  while (n-- > 0) reg = (reg >> 8) ^ t[0][(reg ^ *p++) & 0xFF];
  return reg;
}

const tCRCator* CRCator() { return TheCRCator().get(); }

void StartCRCator() { TheCRCator() = std::make_unique<tCRCator>(CRCKind32); }

void StopCRCator() { TheCRCator().reset(); }

}  // namespace utl
