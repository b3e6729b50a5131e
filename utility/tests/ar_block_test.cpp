// AR block compression through the library's exports.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "branutl/ar.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kDamaged = 0xFFFF, kBadHeader = 0xFFFE, kSmallTarget = 0xFFFD,
                        kSmallWork = 0xFFFC;

Bytes Random(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<std::uint8_t>(gen());
  return b;
}

Bytes Text(std::size_t n) {
  static const char* words[] = {"shared ", "directory ", "lock ", "file ", "the ", "of ",
                                "station ", "\r\n", "BK ", "header ", "check ", "timeout "};
  std::mt19937 gen(7);
  Bytes b;
  while (b.size() < n) {
    const std::string w = words[gen() % 12];
    b.insert(b.end(), w.begin(), w.end());
  }
  b.resize(n);
  return b;
}

struct Compressed {
  std::uint16_t result;
  Bytes block;
};

Compressed Compress(std::uint8_t type, const Bytes& src, std::size_t workSize = 16384,
                    std::size_t targetSize = 65535) {
  Bytes target(targetSize), work(workSize);
  const auto r = AR_COMPRESS(type, src.data(), static_cast<std::uint16_t>(src.size()),
                             target.data(), static_cast<std::uint16_t>(targetSize), work.data(),
                             static_cast<std::uint16_t>(workSize));
  target.resize(r < src.size() ? r : 0);
  return {r, target};
}

std::uint16_t Expand(const Bytes& block, Bytes& out, std::size_t workSize = 8192) {
  Bytes work(workSize);
  return AR_DECOMPRESS(block.data(), static_cast<std::uint16_t>(block.size()), out.data(),
                       static_cast<std::uint16_t>(out.size()), work.data(),
                       static_cast<std::uint16_t>(workSize));
}

TEST(ArBlock, RoundTripsEveryTypeWorkSizeAndKindOfData) {
  Bytes pattern(20000);
  for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>(i % 251 ^ i / 997);
  Bytes sparse(30000, 0);
  for (std::size_t i = 0; i < sparse.size(); i += 37) sparse[i] = static_cast<std::uint8_t>(i);
  Bytes mixed = Text(20000);
  const Bytes noise = Random(3000, 3);
  mixed.insert(mixed.begin() + 5000, noise.begin(), noise.end());
  const Bytes inputs[] = {Text(300), Text(65531), Bytes(1000, 'a'), Bytes(65000, 0),
                          pattern, sparse, mixed};
  for (std::uint8_t type : {6, 7, 8}) {
    for (std::size_t workSize : {25, 100, 4096, 65535}) {
      for (const Bytes& src : inputs) {
        SCOPED_TRACE(testing::Message() << "type " << int(type) << " work " << workSize
                                        << " size " << src.size());
        const auto c = Compress(type, src, workSize);
        ASSERT_LT(c.result, src.size());
        Bytes out(src.size());
        ASSERT_EQ(Expand(c.block, out), src.size());
        EXPECT_EQ(out, src);
      }
    }
  }
}

TEST(ArBlock, EqualBytesGiveAShortBlockWithTheTypesHeader) {
  const Bytes src(1000, 'q');
  const auto c = Compress(7, src);
  ASSERT_LT(c.result, 40);
  EXPECT_EQ(std::string(c.block.begin(), c.block.begin() + 4), "ARM\x13");
  EXPECT_EQ(c.block[4] | c.block[5] << 8, 1000);
  const struct {
    std::uint8_t type;
    const char* magic;
  } headers[] = {{6, "ARN\x13"}, {8, "ARF\x13"}};
  for (const auto& h : headers) {
    const Bytes block = Compress(h.type, src).block;
    ASSERT_GE(block.size(), 4u);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 4), h.magic);
  }
}

TEST(ArBlock, DataAreStoredUncompressedWhenNothingIsGainedOrAllowed) {
  const Bytes text = Text(5000);
  const struct Case {
    const char* what;
    std::uint8_t type;
    Bytes src;
    std::size_t work, target;
  } cases[] = {
      {"random data", 7, Random(5000, 1), 16384, 65535},
      {"nine bytes", 7, Bytes(9, 0), 16384, 65535},
      {"unknown type", 5, text, 16384, 65535},
      {"type 9", 9, text, 16384, 65535},
      {"work below 25 bytes", 7, text, 24, 65535},
      {"target of nine bytes", 7, text, 16384, 9},
      {"target too small for the block", 7, text, 16384, 100},
      {"65532 bytes read back as an error word", 7, Bytes(65532, 0), 16384, 65535},
      {"65535 bytes", 6, Bytes(65535, 0), 16384, 65535},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Compress(c.type, c.src, c.work, c.target).result, c.src.size());
  }
}

TEST(ArBlock, BlockNeverReachesTheTargetSize) {
  const Bytes src = Text(5000);
  const auto full = Compress(7, src);
  ASSERT_LT(full.result, src.size());
  EXPECT_EQ(Compress(7, src, 16384, full.result).result, src.size());
  EXPECT_EQ(Compress(7, src, 16384, full.result + 1).result, full.result);
}

TEST(ArBlock, SmallWindowOfType8CannotReachAFarRepetition) {
  Bytes src = Random(2500, 9);
  src.insert(src.end(), src.begin(), src.end());
  EXPECT_LT(Compress(7, src).result, 2700);
  EXPECT_LT(Compress(6, src).result, 2700);
  EXPECT_EQ(Compress(8, src).result, src.size());
}

TEST(ArBlock, ConcurrentCallsKeepTheirOwnState) {
  std::vector<std::thread> threads;
  std::vector<int> failures(6, 0);
  for (int t = 0; t < 6; ++t) {
    threads.emplace_back([t, &failures] {
      const Bytes src = t % 2 ? Text(30000 + t) : Bytes(20000 + t, static_cast<std::uint8_t>(t));
      for (int round = 0; round < 10; ++round) {
        const auto c = Compress(static_cast<std::uint8_t>(6 + t % 3), src);
        Bytes out(src.size());
        if (c.result >= src.size() || Expand(c.block, out) != src.size() || out != src)
          ++failures[t];
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int f : failures) EXPECT_EQ(f, 0);
}

TEST(ArBlock, ExpansionChecksSizesAndHeaderInOrder) {
  const Bytes good = Compress(6, Text(2000)).block;
  auto with = [&](std::size_t at, std::uint8_t value) {
    Bytes b = good;
    b[at] = value;
    return b;
  };
  const struct Case {
    const char* what;
    Bytes block;
    std::size_t target, work;
    std::uint16_t expected;
  } cases[] = {
      {"nine bytes", Bytes(good.begin(), good.begin() + 9), 2000, 8192, kDamaged},
      {"target below the length", good, 1999, 8192, kSmallTarget},
      {"small target before a bad magic", with(0, 'X'), 1999, 8192, kSmallTarget},
      {"letter Q", with(2, 'Q'), 2000, 8192, kBadHeader},
      {"fourth byte", with(3, 0x14), 2000, 8192, kBadHeader},
      {"second byte", with(1, 'r'), 2000, 8192, kBadHeader},
      {"work of 4095 bytes for type 6", good, 2000, 4095, kSmallWork},
      {"work of the dictionary", good, 2000, 4096, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes out(c.target);
    EXPECT_EQ(Expand(c.block, out, c.work), c.expected);
  }
}

// Hand-made streams, most significant bit first.
class Stream {
 public:
  Stream& Bits(int count, std::uint32_t value) {
    for (int i = count - 1; i >= 0; --i) bits_.push_back((value >> i) & 1);
    return *this;
  }
  Bytes Block(char letter, std::uint16_t length, std::size_t cutBits = 0) const {
    Bytes b = {'A', 'R', static_cast<std::uint8_t>(letter), 0x13,
               static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)};
    const std::size_t n = bits_.size() - cutBits;
    for (std::size_t i = 0; i < n; i += 8) {
      std::uint8_t byte = 0;
      for (std::size_t k = 0; k < 8; ++k) byte |= (i + k < n ? bits_[i + k] : 0) << (7 - k);
      b.push_back(byte);
    }
    while (b.size() < 10) b.push_back(0);
    return b;
  }
  std::size_t Size() const { return bits_.size(); }

 private:
  std::vector<int> bits_;
};

// The code-length code used below: symbol 3 (length 1) is "0", symbol 1 "10",
// symbol 2 "11"; its table is written as lengths 0, 2, 2, no zero run, 1.
Stream& CodeLengthCode(Stream& s) { return s.Bits(5, 4).Bits(3, 0).Bits(3, 2).Bits(3, 2).Bits(2, 0).Bits(3, 1); }

// Literal/length code with 'x' (120) as "0" and the match of length 5 (258) as "1".
Stream& LiteralCode(Stream& s) {
  return s.Bits(9, 259).Bits(2, 3).Bits(9, 100).Bits(1, 0).Bits(2, 3).Bits(9, 117).Bits(1, 0);
}

TEST(ArBlock, MatchAtDistanceOneRepeatsThePreviousByte) {
  Stream s;
  s.Bits(16, 2);
  LiteralCode(CodeLengthCode(s)).Bits(4, 0).Bits(4, 0);  // the one position code 0
  s.Bits(1, 0).Bits(1, 1);
  Bytes out(6);
  ASSERT_EQ(Expand(s.Block('M', 6), out), 6);
  EXPECT_EQ(std::string(out.begin(), out.end()), "xxxxxx");
}

TEST(ArBlock, DamagedStreamsGiveMinusOne) {
  struct Case {
    const char* what;
    Stream stream;
    char letter = 'M';
    std::uint16_t length = 6;
    std::size_t cutBits = 0;
  };
  std::vector<Case> cases;
  auto add = [&](const char* what) -> Stream& {
    cases.push_back(Case{what, Stream{}});
    return cases.back().stream;
  };
  auto goodTables = [](Stream& s) -> Stream& { return LiteralCode(CodeLengthCode(s)).Bits(4, 0).Bits(4, 0); };
  add("block of no codes").Bits(16, 0);
  goodTables(add("distance before the start").Bits(16, 2)).Bits(1, 1).Bits(1, 0);
  add("code-length count above NT").Bits(16, 2).Bits(5, 20);
  add("single code-length symbol above NT").Bits(16, 2).Bits(5, 0).Bits(5, 19);
  add("code length above 16").Bits(16, 2).Bits(5, 1).Bits(16, 0xFFFF);
  add("incomplete code-length code").Bits(16, 2).Bits(5, 3).Bits(3, 0).Bits(3, 2).Bits(3, 2);
  CodeLengthCode(add("literal count above NC").Bits(16, 2)).Bits(9, 315);
  cases.back().letter = 'F';
  CodeLengthCode(add("single literal above NC").Bits(16, 2)).Bits(9, 0).Bits(9, 314);
  cases.back().letter = 'F';
  CodeLengthCode(add("zero run past the table").Bits(16, 2)).Bits(9, 100).Bits(2, 3).Bits(9, 100);
  LiteralCode(CodeLengthCode(add("position count above NP").Bits(16, 2))).Bits(4, 15);
  LiteralCode(CodeLengthCode(add("single position above NP").Bits(16, 2))).Bits(4, 0).Bits(4, 14);
  {
    // Lengths all 0 with a non-zero count: a valid but empty code.
    Stream& s = add("empty literal code used");
    CodeLengthCode(s.Bits(16, 2)).Bits(9, 100).Bits(2, 3).Bits(9, 80).Bits(4, 0).Bits(4, 0).Bits(8, 0);
  }
  {
    // Six literals of one bit each, the last two of them beyond the source.
    Stream& s = add("stream runs past its end");
    goodTables(s.Bits(16, 6)).Bits(6, 0);
    cases.back().cutBits = 6;
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes out(c.length);
    EXPECT_EQ(Expand(c.stream.Block(c.letter, c.length, c.cutBits), out), kDamaged);
  }
}

TEST(ArBlock, LengthThatReadsAsAnErrorWordIsDamaged) {
  // One block whose every code is the literal 0 and takes no bits.
  const struct Case {
    std::uint16_t length;
    std::uint16_t expected;
  } cases[] = {{65531, 65531}, {65532, kDamaged}, {65535, kDamaged}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    Stream s;
    s.Bits(16, c.length).Bits(5, 0).Bits(5, 0).Bits(9, 0).Bits(9, 0).Bits(4, 0).Bits(4, 0);
    Bytes out(65535, 0xAA);
    ASSERT_EQ(Expand(s.Block('M', c.length), out), c.expected);
    if (c.expected < kSmallWork) {
      EXPECT_EQ(Bytes(out.begin(), out.begin() + c.length), Bytes(c.length, 0));
    }
  }
}

TEST(ArBlock, EmptyLengthDecodesToNothing) {
  Bytes out(1);
  EXPECT_EQ(Expand(Stream().Bits(32, 0).Block('N', 0), out), 0);
}

}  // namespace
