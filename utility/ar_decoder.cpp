#include <algorithm>
#include <array>
#include <cstring>

#include "utility/ar_block.h"
#include "utility/ar_format.h"

namespace ar {

namespace {

constexpr std::uint16_t ErrorDamaged = 0xFFFF;
constexpr std::uint16_t ErrorHeader = 0xFFFE;
constexpr std::uint16_t ErrorTarget = 0xFFFD;
constexpr std::uint16_t ErrorWork = 0xFFFC;

struct Damaged {};

// Bits of the stream, most significant first. Past the end the reader
// supplies zero bytes and counts them, so that a stream that was read beyond
// its end is recognised.
class BitReader {
 public:
  BitReader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) { Refill(); }

  // Afterwards at least 57 bits are buffered.
  void Refill() {
    if (end_ - p_ >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p_, 8);
      buffer_ |= __builtin_bswap64(word) >> bits_;
      const int take = (63 - bits_) >> 3;
      p_ += take;
      bits_ += take * 8;
      return;
    }
    while (bits_ <= 56) {
      std::uint64_t byte = 0;
      if (p_ < end_)
        byte = *p_++;
      else
        ++overrun_;
      buffer_ |= byte << (56 - bits_);
      bits_ += 8;
    }
  }
  std::uint32_t Peek(int count) const {
    return static_cast<std::uint32_t>(buffer_ >> (64 - count));
  }
  void Skip(int count) {
    buffer_ <<= count;
    bits_ -= count;
  }
  // Up to 25 bits; the caller has refilled.
  std::uint32_t Take(int count) {
    if (count == 0) return 0;
    const std::uint32_t v = Peek(count);
    Skip(count);
    return v;
  }
  std::uint32_t Get(int count) {
    Refill();
    return Take(count);
  }
  bool PastEnd() const { return overrun_ * 8 > static_cast<std::size_t>(bits_); }

 private:
  const std::uint8_t* p_;
  const std::uint8_t* end_;
  std::uint64_t buffer_ = 0;
  int bits_ = 0;
  std::size_t overrun_ = 0;
};

// A canonical prefix code for decoding: a direct table for short codes and
// the canonical ranges for the rest. An empty code decodes nothing; a single
// code decodes to its one symbol without bits.
template <int Symbols, int FastBits>
class Decoder {
 public:
  void SetSingle(int symbol) { single_ = symbol; }

  // False when the lengths do not form a complete prefix code (nor an empty one).
  bool Build(const std::uint8_t* lengths, int count) {
    single_ = -1;
    std::array<int, MaxCodeBits + 1> lengthCount{};
    for (int s = 0; s < count; ++s) {
      if (lengths[s] > MaxCodeBits) return false;
      ++lengthCount[lengths[s]];
    }
    std::uint32_t kraft = 0;
    for (int len = 1; len <= MaxCodeBits; ++len)
      kraft += static_cast<std::uint32_t>(lengthCount[len]) << (MaxCodeBits - len);
    if (kraft != 0 && kraft != (1u << MaxCodeBits)) return false;

    std::uint32_t code = 0;
    int offset = 0;
    for (int len = 1; len <= MaxCodeBits; ++len) {
      first_[len] = code;
      count_[len] = static_cast<std::uint32_t>(lengthCount[len]);
      offset_[len] = offset;
      offset += lengthCount[len];
      code = (code + lengthCount[len]) << 1;
    }
    std::array<int, MaxCodeBits + 1> next = offset_;
    for (int s = 0; s < count; ++s)
      if (lengths[s]) sorted_[next[lengths[s]]++] = static_cast<std::uint16_t>(s);

    fast_.fill(0);
    for (int len = 1; len <= FastBits; ++len) {
      for (std::uint32_t k = 0; k < count_[len]; ++k) {
        const std::uint32_t symbol = sorted_[offset_[len] + k];
        const std::uint32_t start = (first_[len] + k) << (FastBits - len);
        const std::uint32_t entry = (symbol << 5) | static_cast<std::uint32_t>(len);
        for (std::uint32_t e = 0; e < (1u << (FastBits - len)); ++e) fast_[start + e] = entry;
      }
    }
    return true;
  }

  // The reader has been refilled.
  int Decode(BitReader& in) const {
    if (single_ >= 0) return single_;
    const std::uint32_t entry = fast_[in.Peek(FastBits)];
    if (entry != 0) {
      in.Skip(static_cast<int>(entry & 31));
      return static_cast<int>(entry >> 5);
    }
    const std::uint32_t bits = in.Peek(MaxCodeBits);
    for (int len = FastBits + 1; len <= MaxCodeBits; ++len) {
      const std::uint32_t index = (bits >> (MaxCodeBits - len)) - first_[len];
      if (index < count_[len]) {
        in.Skip(len);
        return sorted_[offset_[len] + index];
      }
    }
    throw Damaged{};  // an empty code
  }

 private:
  int single_ = -1;
  std::array<std::uint32_t, 1u << FastBits> fast_{};
  std::array<std::uint32_t, MaxCodeBits + 1> first_{};
  std::array<std::uint32_t, MaxCodeBits + 1> count_{};
  std::array<int, MaxCodeBits + 1> offset_{};
  std::array<std::uint16_t, Symbols> sorted_{};
};

using LengthCode = Decoder<NT, 8>;
using LiteralCode = Decoder<MaxNC, 10>;
using PositionCode = Decoder<MaxNP, 8>;

class BlockDecoder {
 public:
  BlockDecoder(const Params& params, BitReader& in) : p_(params), in_(in) {}

  void Expand(std::uint8_t* out, std::uint32_t size) {
    std::uint32_t pos = 0;
    std::uint32_t left = 0;  // codes left in the current block
    while (pos < size) {
      if (left == 0) {
        left = in_.Get(16);
        if (left == 0) throw Damaged{};
        ReadTables();
        if (in_.PastEnd()) throw Damaged{};
      }
      --left;
      in_.Refill();
      const int c = literal_.Decode(in_);
      if (c < 256) {
        out[pos++] = static_cast<std::uint8_t>(c);
        continue;
      }
      const std::uint32_t length = std::min<std::uint32_t>(c - 253, size - pos);
      const int j = position_.Decode(in_);
      const std::uint32_t distance = (j == 0 ? 0 : (1u << (j - 1)) + in_.Take(j - 1)) + 1;
      if (distance > pos) throw Damaged{};
      Copy(out, pos, distance, length);
      pos += length;
    }
    if (in_.PastEnd()) throw Damaged{};
  }

 private:
  static void Copy(std::uint8_t* out, std::uint32_t pos, std::uint32_t distance,
                   std::uint32_t length) {
    std::uint8_t* d = out + pos;
    const std::uint8_t* s = d - distance;
    if (distance >= 8) {
      // Eight bytes at a time never overlap a source byte not yet written.
      std::uint32_t k = 0;
      for (; k + 8 <= length; k += 8) std::memcpy(d + k, s + k, 8);
      for (; k < length; ++k) d[k] = s[k];
    } else {
      for (std::uint32_t k = 0; k < length; ++k) d[k] = s[k];
    }
  }

  void ReadTables() {
    std::array<std::uint8_t, NT> tLen{};
    if (!ReadLengths(tLen.data(), NT, TBIT, 3, length_)) throw Damaged{};

    const std::uint32_t count = in_.Get(CBIT);
    if (count == 0) {
      const std::uint32_t single = in_.Get(CBIT);
      if (single >= static_cast<std::uint32_t>(p_.NC)) throw Damaged{};
      literal_.SetSingle(static_cast<int>(single));
    } else {
      if (count > static_cast<std::uint32_t>(p_.NC)) throw Damaged{};
      std::array<std::uint8_t, MaxNC> cLen{};
      std::uint32_t i = 0;
      while (i < count) {
        in_.Refill();
        const int s = length_.Decode(in_);
        if (s >= 3) {
          cLen[i++] = static_cast<std::uint8_t>(s - 2);
          continue;
        }
        const std::uint32_t run = s == 0 ? 1 : s == 1 ? in_.Take(4) + 3 : in_.Take(CBIT) + 20;
        if (run > count - i) throw Damaged{};
        i += run;  // already zero
      }
      if (!literal_.Build(cLen.data(), p_.NC)) throw Damaged{};
    }

    std::array<std::uint8_t, MaxNP> pLen{};
    if (!ReadLengths(pLen.data(), p_.NP, PBIT, -1, position_)) throw Damaged{};
  }

  // The code-length or position code; false when damaged.
  template <typename Code>
  bool ReadLengths(std::uint8_t* len, int symbols, int countBits, int special, Code& code) {
    const int count = static_cast<int>(in_.Get(countBits));
    if (count == 0) {
      const int single = static_cast<int>(in_.Get(countBits));
      if (single >= symbols) return false;
      code.SetSingle(single);
      return true;
    }
    if (count > symbols) return false;
    int i = 0;
    while (i < count) {
      in_.Refill();
      int k = static_cast<int>(in_.Take(3));
      if (k == 7) {
        while (in_.Take(1) == 1)
          if (++k > MaxCodeBits) return false;
      }
      len[i++] = static_cast<std::uint8_t>(k);
      if (i == special) {
        const int zeros = static_cast<int>(in_.Take(2));
        if (i + zeros > symbols) return false;
        i += zeros;  // already zero
      }
    }
    return code.Build(len, symbols);
  }

  const Params& p_;
  BitReader& in_;
  LengthCode length_;
  LiteralCode literal_;
  PositionCode position_;
};

}  // namespace

}  // namespace ar

std::uint16_t ARDecompress(const std::uint8_t* source, std::uint16_t sourceLength,
                           std::uint8_t* target, std::uint16_t targetSize, std::uint8_t* /*work*/,
                           std::uint16_t workSize) {
  using namespace ar;
  if (sourceLength < 10 || !source) return ErrorDamaged;
  const std::uint16_t length = static_cast<std::uint16_t>(source[4] | (source[5] << 8));
  if (targetSize < length) return ErrorTarget;
  const auto params = ParamsForLetter(static_cast<char>(source[2]));
  if (source[0] != 'A' || source[1] != 'R' || source[3] != MagicEnd || !params) return ErrorHeader;
  if (workSize < params->dictionarySize) return ErrorWork;
  // A length that reads as an error word cannot be reported.
  if (length > ARLargestCompressedSource || (length != 0 && !target)) return ErrorDamaged;
  try {
    BitReader in(source + HeaderSize, sourceLength - HeaderSize);
    BlockDecoder decoder(*params, in);
    decoder.Expand(target, length);
  } catch (const Damaged&) {
    return ErrorDamaged;
  }
  return length;
}
