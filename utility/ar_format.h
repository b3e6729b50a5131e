#pragma once

#include <cstdint>
#include <optional>

// The AR block: a 6-byte header ("AR", a type letter, 0x13, the uncompressed
// length) and a bit stream of static-Huffman LZSS blocks, most significant bit first.
namespace ar {

constexpr int HeaderSize = 6;
constexpr int THRESHOLD = 3;   // shortest match
constexpr int NT = 19;         // code-length codes
constexpr int CBIT = 9;
constexpr int TBIT = 5;
constexpr int PBIT = 4;
constexpr int MaxCodeBits = 16;
constexpr int MaxNC = 510;
constexpr int MaxNP = 14;
constexpr std::uint8_t MagicEnd = 0x13;

// What a type number fixes.
struct Params {
  char letter;
  int DICBIT;
  int dictionarySize;
  int MAXMATCH;
  int NC;  // literal/length codes: MAXMATCH + 254
  int NP;  // position codes: DICBIT + 1
};

std::optional<Params> ParamsForType(int type);
std::optional<Params> ParamsForLetter(char letter);

// Bit length of a value: the position code of a distance - 1.
inline int BitLength(std::uint32_t value) {
  return value == 0 ? 0 : 32 - __builtin_clz(value);
}

}  // namespace ar
