#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "utility/ar_block.h"
#include "utility/ar_format.h"
#include "utility/ar_huffman.h"

namespace ar {

namespace {

// Bits into a bounded buffer, most significant first. Past the limit nothing
// is written and the writer only remembers that the output did not fit.
class BitWriter {
 public:
  BitWriter(std::uint8_t* out, std::size_t limit) : out_(out), limit_(limit) {}

  void Put(int count, std::uint32_t value) {
    if (count == 0) return;
    buffer_ = (buffer_ << count) | value;
    bits_ += count;
    while (bits_ >= 8) {
      bits_ -= 8;
      if (size_ < limit_)
        out_[size_] = static_cast<std::uint8_t>(buffer_ >> bits_);
      ++size_;
    }
  }
  std::size_t Size() const { return size_; }
  bool Overflowed() const { return size_ > limit_; }

 private:
  std::uint8_t* out_;
  std::size_t limit_;
  std::size_t size_ = 0;
  std::uint64_t buffer_ = 0;
  int bits_ = 0;
};

// Longest-match search over the window with hash chains of three-byte
// prefixes. The chain walk is bounded, and shortened when a good match is
// already in hand, so that time stays linear in the source.
class MatchFinder {
 public:
  struct Effort {
    int chain;              // positions tried at most
    int goodChain;          // ... when the match to beat is already good
    std::uint32_t good;     // a match length that counts as good
    std::uint32_t nice;     // a match length that ends the search
  };

  MatchFinder(const std::uint8_t* source, std::uint32_t length, const Params& params,
              const Effort& effort)
      : src_(source),
        length_(length),
        window_(static_cast<std::uint32_t>(params.dictionarySize)),
        maxMatch_(static_cast<std::uint32_t>(params.MAXMATCH)),
        effort_(effort),
        head_(std::make_unique<std::uint16_t[]>(HashSize)),
        prev_(std::make_unique<std::uint16_t[]>(window_)) {}

  // Adds the position to its chain.
  void Insert(std::uint32_t pos) {
    if (length_ - pos < THRESHOLD) return;
    const std::uint32_t h = Hash(src_ + pos);
    prev_[pos & (window_ - 1)] = head_[h];
    head_[h] = static_cast<std::uint16_t>(pos + 1);
  }

  // Inserts the position and returns the longest match found before it that
  // is longer than `toBeat` (0 when none reaches THRESHOLD); distance is set
  // for a match.
  std::uint32_t Find(std::uint32_t pos, std::uint32_t toBeat, std::uint32_t& distance) {
    const std::uint32_t avail = length_ - pos;
    if (avail < THRESHOLD) return 0;
    Insert(pos);
    const std::uint32_t limit = std::min(maxMatch_, avail);
    const std::uint8_t* s = src_ + pos;
    std::uint32_t best = std::max<std::uint32_t>(toBeat, THRESHOLD - 1);
    std::uint32_t found = 0;
    if (best >= limit) return 0;
    int chain = toBeat >= effort_.good ? effort_.goodChain : effort_.chain;
    const std::uint32_t mask = window_ - 1;
    for (std::uint32_t cur = prev_[pos & mask]; cur != 0 && chain-- > 0;
         cur = prev_[(cur - 1) & mask]) {
      const std::uint32_t at = cur - 1;
      if (pos - at >= window_) break;
      const std::uint8_t* m = src_ + at;
      if (m[best] != s[best] || m[0] != s[0] || m[1] != s[1]) continue;
      const std::uint32_t len = CommonLength(m, s, limit);
      if (len > best) {
        best = len;
        found = len;
        distance = pos - at;
        if (len >= effort_.nice || len == limit) break;
      }
    }
    return found;
  }

 private:
  static constexpr int HashBits = 14;
  static constexpr std::uint32_t HashSize = 1u << HashBits;

  static std::uint32_t Hash(const std::uint8_t* s) {
    const std::uint32_t v = s[0] | (s[1] << 8) | (s[2] << 16);
    return (v * 2654435761u) >> (32 - HashBits);
  }

  // Eight bytes at a time while both strings have them within the limit.
  static std::uint32_t CommonLength(const std::uint8_t* a, const std::uint8_t* b,
                                    std::uint32_t limit) {
    std::uint32_t len = 0;
    while (len + 8 <= limit) {
      std::uint64_t x, y;
      std::memcpy(&x, a + len, 8);
      std::memcpy(&y, b + len, 8);
      if (x != y) return len + static_cast<std::uint32_t>(__builtin_ctzll(x ^ y) >> 3);
      len += 8;
    }
    while (len < limit && a[len] == b[len]) ++len;
    return len;
  }

  const std::uint8_t* src_;
  std::uint32_t length_;
  std::uint32_t window_;
  std::uint32_t maxMatch_;
  Effort effort_;
  std::unique_ptr<std::uint16_t[]> head_;
  std::unique_ptr<std::uint16_t[]> prev_;
};

// Calls emit(symbol, extraBits, extraValue) for each code-length symbol that
// describes the literal/length lengths; shared by counting and writing.
template <typename Emit>
void WalkLiteralLengths(const std::uint8_t* cLen, int nc, Emit&& emit) {
  int n = nc;
  while (n > 0 && cLen[n - 1] == 0) --n;
  int i = 0;
  while (i < n) {
    if (cLen[i] != 0) {
      emit(cLen[i] + 2, 0, 0u);
      ++i;
      continue;
    }
    int run = 1;
    while (i + run < n && cLen[i + run] == 0) ++run;
    i += run;
    if (run <= 2) {
      for (int k = 0; k < run; ++k) emit(0, 0, 0u);
    } else if (run <= 18) {
      emit(1, 4, static_cast<std::uint32_t>(run - 3));
    } else if (run == 19) {
      emit(0, 0, 0u);
      emit(1, 4, 15u);
    } else {
      emit(2, CBIT, static_cast<std::uint32_t>(run - 20));
    }
  }
}

// The pending block lives in the caller's work buffer: a flag byte before
// every eight codes (bit set: a match), a literal as one byte, a match as the
// low byte of its length code and the distance code, high byte first.
class Encoder {
 public:
  Encoder(const Params& params, std::uint8_t* work, std::uint32_t workSize, BitWriter& out)
      : p_(params), work_(work), workSize_(workSize), out_(out) {}

  void Literal(std::uint8_t byte) {
    StartCode();
    work_[size_++] = byte;
    ++cFreq_[byte];
    ++inGroup_;
  }

  void Match(std::uint32_t length, std::uint32_t distance) {
    StartCode();
    work_[flagAt_] |= static_cast<std::uint8_t>(0x80u >> inGroup_);
    const std::uint32_t code = distance - 1;
    work_[size_++] = static_cast<std::uint8_t>(length - THRESHOLD);
    work_[size_++] = static_cast<std::uint8_t>(code >> 8);
    work_[size_++] = static_cast<std::uint8_t>(code);
    ++cFreq_[length + 253];
    ++pFreq_[BitLength(code)];
    ++inGroup_;
  }

  void Finish() {
    if (codes_ != 0) SendBlock();
    out_.Put(7, 0);
  }

 private:
  // A block is sent when a group of eight would start with at most 24 bytes
  // left: a full group takes 25.
  void StartCode() {
    if (inGroup_ == 8) {
      if (size_ + 24 >= workSize_) SendBlock();
      flagAt_ = size_;
      work_[size_++] = 0;
      inGroup_ = 0;
    }
    ++codes_;
  }

  void SendBlock() {
    std::array<std::uint8_t, MaxNC> cLen{};
    std::array<std::uint16_t, MaxNC> cCode{};
    std::array<std::uint8_t, MaxNP> pLen{};
    std::array<std::uint16_t, MaxNP> pCode{};
    const int cSingle = BuildCodeLengths(cFreq_.data(), p_.NC, cLen.data());
    out_.Put(16, codes_);
    if (cSingle < 0) {
      CanonicalCodes(cLen.data(), p_.NC, cCode.data());
      std::array<std::uint32_t, NT> tFreq{};
      WalkLiteralLengths(cLen.data(), p_.NC, [&](int s, int, std::uint32_t) { ++tFreq[s]; });
      std::array<std::uint8_t, NT> tLen{};
      std::array<std::uint16_t, NT> tCode{};
      const int tSingle = BuildCodeLengths(tFreq.data(), NT, tLen.data());
      if (tSingle < 0) {
        CanonicalCodes(tLen.data(), NT, tCode.data());
        WriteLengths(tLen.data(), NT, TBIT, 3);
      } else {
        out_.Put(TBIT, 0);
        out_.Put(TBIT, static_cast<std::uint32_t>(tSingle));
      }
      int count = p_.NC;
      while (cLen[count - 1] == 0) --count;
      out_.Put(CBIT, static_cast<std::uint32_t>(count));
      WalkLiteralLengths(cLen.data(), p_.NC, [&](int s, int bits, std::uint32_t extra) {
        out_.Put(tLen[s], tCode[s]);
        out_.Put(bits, extra);
      });
    } else {
      out_.Put(TBIT, 0);
      out_.Put(TBIT, 0);
      out_.Put(CBIT, 0);
      out_.Put(CBIT, static_cast<std::uint32_t>(cSingle));
    }
    const int pSingle = BuildCodeLengths(pFreq_.data(), p_.NP, pLen.data());
    if (pSingle < 0) {
      CanonicalCodes(pLen.data(), p_.NP, pCode.data());
      WriteLengths(pLen.data(), p_.NP, PBIT, -1);
    } else {
      out_.Put(PBIT, 0);
      out_.Put(PBIT, static_cast<std::uint32_t>(pSingle));
    }

    std::uint32_t at = 0;
    std::uint8_t flags = 0;
    for (std::uint32_t k = 0; k < codes_; ++k) {
      if (k % 8 == 0) flags = work_[at++];
      if (flags & (0x80u >> (k % 8))) {
        const std::uint32_t c = work_[at] + 256u;
        const std::uint32_t code = (work_[at + 1] << 8) | work_[at + 2];
        at += 3;
        out_.Put(cLen[c], cCode[c]);
        const int j = BitLength(code);
        out_.Put(pLen[j], pCode[j]);
        if (j > 1) out_.Put(j - 1, code & ((1u << (j - 1)) - 1));
      } else {
        const std::uint8_t c = work_[at++];
        out_.Put(cLen[c], cCode[c]);
      }
    }
    cFreq_.fill(0);
    pFreq_.fill(0);
    codes_ = 0;
    size_ = 0;
  }

  // Lengths of the code-length or position code: 0..6 in three bits, longer
  // ones as L - 4 one-bits and a zero; after entry `special` - 1 two bits
  // give a run of up to three zero lengths.
  void WriteLengths(const std::uint8_t* len, int count, int countBits, int special) {
    int n = count;
    while (n > 0 && len[n - 1] == 0) --n;
    out_.Put(countBits, static_cast<std::uint32_t>(n));
    int i = 0;
    while (i < n) {
      const int k = len[i++];
      if (k <= 6)
        out_.Put(3, static_cast<std::uint32_t>(k));
      else
        out_.Put(k - 3, (1u << (k - 3)) - 2);
      if (i == special) {
        while (i < std::min(6, n) && len[i] == 0) ++i;
        out_.Put(2, static_cast<std::uint32_t>(i - special));
      }
    }
  }

  const Params& p_;
  std::uint8_t* work_;
  std::uint32_t workSize_;
  BitWriter& out_;
  std::uint32_t size_ = 0;
  std::uint32_t codes_ = 0;
  std::uint32_t flagAt_ = 0;
  int inGroup_ = 8;  // codes in the current group; 8: a new group starts
  std::array<std::uint32_t, MaxNC> cFreq_{};
  std::array<std::uint32_t, MaxNP> pFreq_{};
};

// Lazy evaluation of one step: a match is taken only when the match at the
// next position is not longer.
void EncodeSource(const std::uint8_t* src, std::uint32_t n, const Params& params, Encoder& encoder,
                  const BitWriter& out) {
  // About the effort of deflate's middle level, on a window four times smaller.
  constexpr MatchFinder::Effort effort{128, 32, 8, 128};
  MatchFinder finder(src, n, params, effort);
  std::uint32_t distance = 0;
  std::uint32_t pos = 0;
  std::uint32_t length = finder.Find(0, 0, distance);
  while (pos < n) {
    if (out.Overflowed()) return;
    if (length == 0) {
      encoder.Literal(src[pos++]);
      if (pos < n) length = finder.Find(pos, 0, distance);
      continue;
    }
    std::uint32_t nextDistance = 0;
    const std::uint32_t next = pos + 1 < n ? finder.Find(pos + 1, length, nextDistance) : 0;
    if (next > length) {
      encoder.Literal(src[pos++]);
      length = next;
      distance = nextDistance;
      continue;
    }
    encoder.Match(length, distance);
    for (std::uint32_t q = pos + 2; q < pos + length; ++q) finder.Insert(q);
    pos += length;
    length = pos < n ? finder.Find(pos, 0, distance) : 0;
  }
}

}  // namespace

}  // namespace ar

std::uint16_t ARCompress(std::uint8_t type, const std::uint8_t* source, std::uint16_t sourceLength,
                         std::uint8_t* target, std::uint16_t targetSize, std::uint8_t* work,
                         std::uint16_t workSize) {
  using namespace ar;
  const auto params = ParamsForType(type);
  if (!params || targetSize <= 9 || sourceLength <= 9 || workSize < 25 ||
      sourceLength > ARLargestCompressedSource || !source || !target || !work)
    return sourceLength;
  // A block must be smaller than the source and leave room in the target.
  const std::size_t limit = std::min<std::size_t>(targetSize, sourceLength) - 1;
  std::memcpy(target, "AR", 2);
  target[2] = static_cast<std::uint8_t>(params->letter);
  target[3] = MagicEnd;
  target[4] = static_cast<std::uint8_t>(sourceLength);
  target[5] = static_cast<std::uint8_t>(sourceLength >> 8);
  BitWriter out(target + HeaderSize, limit - HeaderSize);
  Encoder encoder(*params, work, workSize, out);
  EncodeSource(source, sourceLength, *params, encoder, out);
  if (out.Overflowed()) return sourceLength;
  encoder.Finish();
  if (out.Overflowed()) return sourceLength;
  return static_cast<std::uint16_t>(HeaderSize + out.Size());
}
