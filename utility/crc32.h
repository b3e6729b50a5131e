#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The CRC-32 register of the suite: started at 0xFFFFFFFF and never inverted,
// so that it ends at the complement of the standard (IEEE 802.3) CRC-32.
namespace utl {

inline constexpr std::uint32_t CRCStart = 0xFFFFFFFF;
inline constexpr std::uint8_t CRCKind32 = 1;  // the only kind of sum

// Holds the tables of its kind; the library keeps one for all exports.
class tCRCator {
 public:
  explicit tCRCator(std::uint8_t kind);

  std::uint8_t Kind() const { return kind_; }

  // Adds the bytes to the register; a kind other than the object's, or an
  // object of an unknown kind, leaves the register unchanged.
  void Add(std::uint8_t kind, const void* data, std::size_t length, std::uint32_t& reg) const;

  // Entry i of the byte table (i shifted right eight times, XOR 0xEDB88320
  // whenever a 1 bit is shifted out).
  std::uint32_t TableEntry(std::uint8_t i) const { return table_[0][i]; }

 private:
  std::uint32_t AddSliced(std::uint32_t reg, const std::uint8_t* p, std::size_t n) const;

  std::uint8_t kind_;
  bool carryless_;  // the processor multiplies without carries: fold 64 bytes a step
  // Slicing by sixteen: table k advances a byte k further positions.
  std::array<std::array<std::uint32_t, 256>, 16> table_{};
};

// The 8-bit additive checksum: the bytes added modulo 256.
inline std::uint8_t Checksum(const void* data, std::size_t length) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < length; ++i) sum = static_cast<std::uint8_t>(sum + p[i]);
  return sum;
}

// The library's object, made at load and freed at unload (null outside).
const tCRCator* CRCator();
void StartCRCator();
void StopCRCator();

}  // namespace utl
