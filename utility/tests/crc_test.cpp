// CRC-32 registers, file sums, checksums and key records through the exports.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "branutl/crc.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

namespace fs = std::filesystem;

// Bit by bit, as the register is defined.
std::uint32_t Reference(std::uint32_t reg, const std::uint8_t* p, std::size_t n) {
  while (n--) {
    reg ^= *p++;
    for (int bit = 0; bit < 8; ++bit) reg = (reg >> 1) ^ ((reg & 1) ? 0xEDB88320u : 0);
  }
  return reg;
}

std::uint32_t Evaluate(std::uint8_t kind, const std::string& text) {
  std::uint32_t reg = 0;
  INITCRC(&reg);
  EVALUATECRC(kind, text.data(), static_cast<uint16_t>(text.size()), &reg);
  return reg;
}

class TempDir : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return temp_.Write(name, bytes);
  }
  const cl::testing::TempDirectory temp_;
  const fs::path dir_ = temp_.Path();
};

std::vector<std::uint8_t> Pattern(std::size_t n) {
  std::vector<std::uint8_t> b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 11);
  return b;
}

}  // namespace

TEST(Crc, RegisterEndsAtTheComplementOfTheStandardCrc) {
  const struct Case {
    std::uint8_t kind;
    std::string text;
    std::uint32_t expected;
  } cases[] = {
      {1, "123456789", 0x340BC6D9},
      {1, "abc", 0xCADBBE3D},
      {2, "abc", 0xFFFFFFFF},
      {0, "abc", 0xFFFFFFFF},
      {1, "", 0xFFFFFFFF},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Evaluate(c.kind, c.text), c.expected) << int(c.kind) << " '" << c.text << "'";
}

TEST(Crc, EveryLengthAlignmentAndSplitAgreesWithTheBitwiseDefinition) {
  const auto data = Pattern(70000);
  for (std::size_t length : {1u, 15u, 16u, 17u, 63u, 64u, 65u, 127u, 128u, 129u, 1000u, 4099u, 65535u}) {
    for (std::size_t offset = 0; offset < 4; ++offset) {
      const std::uint32_t expected = Reference(0xFFFFFFFF, data.data() + offset, length);
      std::uint32_t whole = 0xFFFFFFFF;
      EVALUATECRC(1, data.data() + offset, static_cast<uint16_t>(length), &whole);
      EXPECT_EQ(whole, expected) << length << " at " << offset;
      std::uint32_t pieces = 0xFFFFFFFF;
      const std::size_t cut = length / 3;
      EVALUATECRC(1, data.data() + offset, static_cast<uint16_t>(cut), &pieces);
      EVALUATECRC(1, data.data() + offset + cut, static_cast<uint16_t>(length - cut), &pieces);
      EXPECT_EQ(pieces, expected) << length << " in two pieces at " << offset;
    }
  }
}

TEST(Crc, ChecksumAddsTheBytesModulo256) {
  std::uint8_t sum = 0xEE;
  CHECKSUM("abc", 3, &sum);
  EXPECT_EQ(sum, 0x26);
  const std::vector<std::uint8_t> ff(300, 0xFF);
  CHECKSUM(ff.data(), 300, &sum);
  EXPECT_EQ(sum, static_cast<std::uint8_t>(300 * 0xFF));
  CHECKSUM("abc", 0, &sum);
  EXPECT_EQ(sum, 0);
}

using FileCrc = TempDir;

TEST_F(FileCrc, SumsTheWholeFileAcrossBlockBoundaries) {
  for (std::size_t size : {0u, 1u, 32767u, 32768u, 32769u, 65536u, 100000u}) {
    const auto bytes = Pattern(size);
    const ShortString name = ShortString::From(Write("f" + std::to_string(size), bytes));
    std::uint32_t reg = 12345;
    EXPECT_FALSE(FILECRC(1, &name, &reg)) << size;
    EXPECT_EQ(reg, Reference(0xFFFFFFFF, bytes.data(), size)) << size;
  }
}

TEST_F(FileCrc, FailureLeavesTheRegisterUntouched) {
  const ShortString missing = ShortString::From((dir_ / "missing.dat").string());
  std::uint32_t reg = 12345;
  EXPECT_TRUE(FILECRC(1, &missing, &reg));
  EXPECT_EQ(reg, 12345u);
  // Opens, but reading its first page fails.
  const ShortString unreadable = ShortString::From("/proc/self/mem");
  EXPECT_TRUE(FILECRC(1, &unreadable, &reg));
  EXPECT_EQ(reg, 12345u);
}

namespace {

std::unique_ptr<tKeyRecord> Record(std::uint8_t kind) {
  auto r = std::make_unique<tKeyRecord>();
  std::memset(r.get(), 0xAA, sizeof *r);
  GENERATEPKC(kind, r.get());
  return r;
}

}  // namespace

TEST(KeyRecord, GeneratedKeyIsGuardedByItsFirst128Bytes) {
  const auto r = Record(1);
  EXPECT_EQ(r->kind, 1);
  EXPECT_EQ(+r->byteLength, 128);
  EXPECT_EQ(+r->bitLength, 1024);
  for (std::uint8_t b : r->key) ASSERT_LE(b, 254);
  EXPECT_EQ(+r->crc, Reference(0xFFFFFFFF, r->key, 128));
  EXPECT_FALSE(CHECKPKC(r.get()));
  for (std::size_t at : {0u, 127u}) {
    tKeyRecord changed = *r;
    changed.key[at] ^= 1;
    EXPECT_TRUE(CHECKPKC(&changed)) << at;
  }
  tKeyRecord filler = *r;
  filler.key[128] ^= 1;
  filler.key[4096] ^= 1;
  EXPECT_FALSE(CHECKPKC(&filler));
}

TEST(KeyRecord, KindZeroClearsAndOtherKindsOnlyStoreTheKind) {
  const auto none = Record(0);
  const std::vector<std::uint8_t> zeros(sizeof(tKeyRecord), 0);
  EXPECT_EQ(std::memcmp(none.get(), zeros.data(), zeros.size()), 0);
  EXPECT_FALSE(CHECKPKC(none.get()));
  const auto other = Record(7);
  EXPECT_EQ(other->kind, 7);
  EXPECT_EQ(+other->crc, 0xAAAAAAAAu);
  EXPECT_EQ(other->key[0], 0xAA);
  EXPECT_FALSE(CHECKPKC(other.get()));
}

TEST(KeyRecord, ByteLengthBeyondTheRecordIsWrongWithoutReadingPastIt) {
  auto r = Record(1);
  r->byteLength = 4097;
  r->crc = Reference(0xFFFFFFFF, r->key, 4097);
  EXPECT_FALSE(CHECKPKC(r.get()));
  r->byteLength = 4098;
  EXPECT_TRUE(CHECKPKC(r.get()));
  r->byteLength = 0xFFFF;
  EXPECT_TRUE(CHECKPKC(r.get()));
}

TEST(KeyRecord, ComparisonLooksAtKindLengthsAndTheFirstTwoKeyBytes) {
  const auto a = Record(1);
  struct Case {
    const char* what;
    void (*change)(tKeyRecord&);
    int expected;
  } cases[] = {
      {"other key, same first two bytes", [](tKeyRecord& b) { b.key[2] ^= 1; b.key[100] ^= 1; }, 0},
      {"second key byte", [](tKeyRecord& b) { b.key[1] ^= 1; }, 1},
      {"first key byte", [](tKeyRecord& b) { b.key[0] ^= 1; }, 1},
      {"kind", [](tKeyRecord& b) { b.kind = 0; }, 1},
      {"bit length", [](tKeyRecord& b) { b.bitLength = 1023; }, 1},
      {"byte length", [](tKeyRecord& b) { b.byteLength = 127; }, 1},
  };
  for (const Case& c : cases) {
    tKeyRecord b = *a;
    c.change(b);
    EXPECT_EQ(COMPAREPKC(a.get(), &b), c.expected) << c.what;
  }
  const auto none = Record(0);
  EXPECT_EQ(COMPAREPKC(none.get(), a.get()), 0);
  EXPECT_EQ(COMPAREPKC(a.get(), none.get()), 1);
}
