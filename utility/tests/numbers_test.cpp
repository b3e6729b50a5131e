#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "branutl/numbers.h"

namespace {

constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();

std::string Text(const ShortString& s) { return s.Str(); }

}  // namespace

TEST(Numbers, MinimumAndMaximumOfSignedAndUnsignedValues) {
  struct Case {
    int32_t a, b, max, min;
  };
  const Case cases[] = {{1, 2, 2, 1}, {-5, 3, 3, -5}, {7, 7, 7, 7}, {kMin32, kMax32, kMax32, kMin32}};
  for (const Case& c : cases) {
    EXPECT_EQ(IMAX(c.a, c.b), c.max);
    EXPECT_EQ(LIMAX(c.b, c.a), c.max);
    EXPECT_EQ(IMIN(c.a, c.b), c.min);
    EXPECT_EQ(LIMIN(c.b, c.a), c.min);
  }
  EXPECT_EQ(UMAX(0x80000000u, 1u), 0x80000000u);  // unsigned: bit 31 is large
  EXPECT_EQ(UMIN(0x80000000u, 1u), 1u);
  EXPECT_EQ(UMAX(0xFFFFFFFFu, 0u), 0xFFFFFFFFu);
}

TEST(Numbers, SwapsExchangeTheCallersVariables) {
  int32_t a = 1, b = -2;
  ISWAP(&a, &b);
  EXPECT_EQ(a, -2);
  EXPECT_EQ(b, 1);
  LISWAP(&a, &b);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, -2);
  uint16_t u = 65535, v = 3;
  USWAP(&u, &v);
  EXPECT_EQ(u, 3);
  EXPECT_EQ(v, 65535);
}

TEST(Numbers, CountersWrapAtTheirBounds) {
  struct Case {
    int32_t x, low, high, inc, dec;
  };
  const Case cases[] = {
      {5, 1, 10, 6, 4},     {10, 1, 10, 1, 9},     {1, 1, 10, 2, 10},   {12, 1, 10, 1, 11},
      {-3, 1, 10, -2, 10},  {kMax32, 0, kMax32, 0, kMax32 - 1},        {kMin32, kMin32, 0, kMin32 + 1, 0},
  };
  for (const Case& c : cases) {
    int32_t x = c.x;
    IINCIN(&x, c.low, c.high);
    EXPECT_EQ(x, c.inc) << "IINCIN " << c.x;
    x = c.x;
    LIINCIN(&x, c.low, c.high);
    EXPECT_EQ(x, c.inc) << "LIINCIN " << c.x;
    x = c.x;
    IDECIN(&x, c.low, c.high);
    EXPECT_EQ(x, c.dec) << "IDECIN " << c.x;
    x = c.x;
    LIDECIN(&x, c.low, c.high);
    EXPECT_EQ(x, c.dec) << "LIDECIN " << c.x;
  }
  struct UCase {
    uint16_t x, low, high, inc, dec;
  };
  const UCase ucases[] = {
      {0, 0, 9, 1, 9}, {65535, 0, 65535, 0, 65534}, {9, 0, 9, 0, 8}, {4, 2, 9, 5, 3},
  };
  for (const UCase& c : ucases) {
    uint16_t x = c.x;
    UINCIN(&x, c.low, c.high);
    EXPECT_EQ(x, c.inc) << "UINCIN " << c.x;
    x = c.x;
    UDECIN(&x, c.low, c.high);
    EXPECT_EQ(x, c.dec) << "UDECIN " << c.x;
  }
}

TEST(Numbers, RangeTestsAndClampingIncludeBothBounds) {
  struct Case {
    int32_t x, low, high;
    bool in;
    int32_t limited;
  };
  const Case cases[] = {
      {5, 10, 20, false, 10}, {25, 10, 20, false, 20}, {10, 10, 20, true, 10}, {20, 10, 20, true, 20},
      {15, 10, 20, true, 15}, {5, 20, 10, false, 20},  // crossed bounds: below low gives low
      {15, 20, 10, false, 20}, {-1, -1, -1, true, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IISIN(c.x, c.low, c.high), c.in) << c.x;
    EXPECT_EQ(LIISIN(c.x, c.low, c.high), c.in) << c.x;
    EXPECT_EQ(ILIM(c.x, c.low, c.high), c.limited) << c.x;
    EXPECT_EQ(LILIM(c.x, c.low, c.high), c.limited) << c.x;
  }
  EXPECT_TRUE(UISIN(40000, 100, 65535));
  EXPECT_FALSE(UISIN(99, 100, 65535));
  EXPECT_EQ(ULIM(65535, 0, 40000), 40000);
  EXPECT_EQ(ULIM(5, 10, 20), 10);
}

TEST(Numbers, ComparisonsGiveMinusOneZeroOrOne) {
  EXPECT_EQ(LUCMP(1, 2), -1);
  EXPECT_EQ(LUCMP(0x80000000u, 1), 1);
  EXPECT_EQ(LUCMP(7, 7), 0);
  EXPECT_EQ(SIGN(-40), -1);
  EXPECT_EQ(SIGN(0), 0);
  EXPECT_EQ(SIGN(kMax32), 1);
  EXPECT_EQ(SIGN(kMin32), -1);
}

TEST(Numbers, MemoryComparisonIsOneForEqualBytes) {
  const char a[] = "abcdefghij";
  char b[sizeof a];
  std::memcpy(b, a, sizeof a);
  for (int32_t n = 0; n <= 10; ++n) EXPECT_EQ(MEMCMP(a, b, n), 1) << n;
  // A difference in the whole double words and in the trailing bytes.
  for (int at : {0, 3, 4, 8, 9}) {
    b[at] ^= 1;
    EXPECT_EQ(MEMCMP(a, b, 10), 0) << at;
    EXPECT_EQ(MEMCMP(a, b, at), 1) << at;
    b[at] ^= 1;
  }
  EXPECT_EQ(MEMCMP(a, b, -4), 1);
  EXPECT_EQ(MEMCMP(nullptr, b, 0), 1);
}

TEST(BitSets, CardinalityAndParityCountTheFirstNBytes) {
  uint8_t full[32];
  std::memset(full, 0xFF, sizeof full);
  EXPECT_EQ(CARDINALITY(full, 32), 256);
  EXPECT_EQ(PARITY(full, 32), 0);
  EXPECT_EQ(CARDINALITY(full, 1), 8);
  EXPECT_EQ(CARDINALITY(full, 0), 0);
  // Byte counts above 32 read no further than the set's 32 bytes.
  EXPECT_EQ(CARDINALITY(full, 33), 256);
  EXPECT_EQ(CARDINALITY(full, 65535), 256);
  EXPECT_EQ(PARITY(full, 1000), 0);
  const uint8_t odd[3] = {0x01, 0x03, 0x80};
  EXPECT_EQ(CARDINALITY(odd, 3), 4);
  EXPECT_EQ(PARITY(odd, 3), 0);
  EXPECT_EQ(CARDINALITY(odd, 2), 3);
  EXPECT_EQ(PARITY(odd, 2), 1);
}

TEST(BitSets, DifferenceClearsAll32BytesAndKeepsElementsOnlyInA) {
  uint8_t a[32], b[32], out[32];
  std::memset(a, 0xF0, sizeof a);
  std::memset(b, 0x30, sizeof b);
  std::memset(out, 0xAA, sizeof out);
  DIFFERENCE(out, a, b, 2);
  EXPECT_EQ(out[0], 0xC0);
  EXPECT_EQ(out[1], 0xC0);
  for (int i = 2; i < 32; ++i) EXPECT_EQ(out[i], 0) << i;

  DIFFERENCE(out, a, b, 500);  // clamped to 32 bytes
  for (int i = 0; i < 32; ++i) EXPECT_EQ(out[i], 0xC0) << i;

  // The result may be written over one of the inputs.
  DIFFERENCE(a, a, b, 32);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(a[i], 0xC0) << i;
  DIFFERENCE(b, a, b, 32);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(b[i], 0xC0) << i;
}

TEST(BitSets, MasksAndOrdinalsConvertWithoutUndefinedShifts) {
  struct Case {
    int32_t k;
    uint32_t mask;
  };
  const Case cases[] = {{kMin32, 1}, {-1, 1}, {0, 1}, {1, 2}, {3, 8}, {30, 0x40000000u},
                        {31, 0x80000000u}, {32, 0}, {33, 0}, {kMax32, 0}};
  for (const Case& c : cases) EXPECT_EQ(static_cast<uint32_t>(ORD2MSK(c.k)), c.mask) << c.k;

  struct Ord {
    int32_t m, ordinal;
  };
  const Ord ords[] = {{kMin32, 0}, {-1, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 1}, {8, 3}, {9, 3},
                      {0x40000000, 30}, {kMax32, 30}};
  for (const Ord& c : ords) EXPECT_EQ(MSK2ORD(c.m), c.ordinal) << c.m;
}

TEST(NumberTexts, HexTextsAreUpperCaseHighPartFirst) {
  EXPECT_EQ(STRHEXDIGIT(0x0A), 'A');
  EXPECT_EQ(STRHEXDIGIT(0xF7), '7');  // only the low four bits
  ShortString out;
  STRHEXBYTE(0x0F, &out);
  EXPECT_EQ(Text(out), "0F");
  STRHEXWORD(0xAB01, &out);
  EXPECT_EQ(Text(out), "AB01");
  STRHEXDWORD(0x0012ABCDu, &out);
  EXPECT_EQ(Text(out), "0012ABCD");
  STRHEXDWORD(0xFFFFFFFFu, &out);
  EXPECT_EQ(Text(out), "FFFFFFFF");

  STRHEXPOINTER(reinterpret_cast<const void*>(std::uintptr_t{0xBEEF}), &out);
  EXPECT_EQ(Text(out), std::string(sizeof(void*) * 2 - 4, '0') + "BEEF");
  STRHEXPOINTER(nullptr, &out);
  EXPECT_EQ(Text(out), std::string(sizeof(void*) * 2, '0'));
}

TEST(NumberTexts, HexArraysGroupFourBytesCountedFromTheEnd) {
  const uint8_t data[70] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  struct Case {
    uint16_t n;
    std::string expected;
  };
  const Case cases[] = {
      {8, "01234567 89ABCDEF"},
      {6, "0123 456789AB"},
      {4, "01234567"},
      {5, "01 23456789"},
      {1, "01"},
      {0, ""},
  };
  for (const Case& c : cases) {
    ShortString out;
    STRHEXARRAY(data, c.n, &out);
    EXPECT_EQ(Text(out), c.expected) << c.n;
  }
  // 70 bytes need 140 digits and 17 blanks; 65535 bytes are cut at 255.
  ShortString out;
  STRHEXARRAY(data, 70, &out);
  EXPECT_EQ(out.length, 157);
  EXPECT_EQ(Text(out).substr(0, 6), "0123 4");
  std::string big(65535, '\x11');
  STRHEXARRAY(big.data(), 65535, &out);
  EXPECT_EQ(out.length, 255);
}

TEST(NumberTexts, ByteArraysStopAtTheFirstZeroOrAfterNBytes) {
  const char data[] = "abc\0def";
  ShortString out;
  STRARRAY(data, 100, &out);
  EXPECT_EQ(Text(out), "abc");
  STRARRAY(data, 2, &out);
  EXPECT_EQ(Text(out), "ab");
  STRARRAY(data, 0, &out);
  EXPECT_EQ(Text(out), "");
  const std::string big(300, 'x');
  STRARRAY(big.data(), 300, &out);
  EXPECT_EQ(Text(out), std::string(255, 'x'));
}

TEST(NumberTexts, Base32TextsHaveExactlyTheWidth) {
  EXPECT_EQ(CHARBASE32(0), '0');
  EXPECT_EQ(CHARBASE32(9), '9');
  EXPECT_EQ(CHARBASE32(10), 'A');
  EXPECT_EQ(CHARBASE32(31), 'V');
  EXPECT_EQ(CHARBASE32(32 + 10), 'A');  // only the low five bits
  struct Case {
    int32_t width;
    uint64_t value;
    std::string expected;
  };
  const Case cases[] = {
      {8, 1, "00000001"},
      {0, 12345, ""},
      {-3, 1, ""},
      {2, 32 * 31 + 10, "VA"},
      {2, 32 * 32 + 5, "05"},  // higher digits are lost
      {13, ~uint64_t{0}, "FVVVVVVVVVVVV"},
      {14, uint64_t{1} << 63, "08000000000000"},
  };
  for (const Case& c : cases) {
    ShortString out;
    INTTOBASE32(c.width, c.value, &out);
    EXPECT_EQ(Text(out), c.expected) << c.width << " " << c.value;
  }
  ShortString out;
  INTTOBASE32(1000, 35, &out);
  EXPECT_EQ(Text(out), std::string(253, '0') + "13");
}

TEST(LongStrings, TrimmingTreatsAllControlCharactersAsSpace) {
  struct Case {
    void (*fn)(const char*, char**);
    const char* name;
    const char* in;
    std::string expected;
  };
  const Case cases[] = {
      {LSFTRIM, "LSFTRIM", " \t\r\n ab c \x01\x1F ", "ab c"},
      {LSFTRIM, "LSFTRIM", " \t ", ""},
      {LSFTRIM, "LSFTRIM", "", ""},
      {LSFTRIM, "LSFTRIM", nullptr, ""},
      {LSFLBO, "LSFLBO", "\t a b ", "a b "},
      {LSFTBO, "LSFTBO", " a b\t\n", " a b"},
      {LSFUPR, "LSFUPR", "abc\xE8z", "ABC\xE8Z"},
      {LSFLWR, "LSFLWR", "ABC\xC8Z", "abc\xC8z"},
  };
  for (const Case& c : cases) {
    char* out = nullptr;
    c.fn(c.in, &out);
    ASSERT_NE(out, nullptr) << c.name;
    EXPECT_EQ(std::string(out), c.expected) << c.name << "('" << (c.in ? c.in : "(null)") << "')";
    std::free(out);
  }
  // Long strings have no 255 limit.
  const std::string longText = "  " + std::string(1000, 'x') + "  ";
  char* out = nullptr;
  LSFTRIM(longText.c_str(), &out);
  EXPECT_EQ(std::string(out), std::string(1000, 'x'));
  std::free(out);
}

TEST(LongStrings, ZeroTerminatedStringsChangeInPlace) {
  char spaces[] = "a\tb\r\n\x7F\x01";
  EXPECT_EQ(SZFWHITESPACES(spaces), spaces);
  EXPECT_STREQ(spaces, "a b  \x7F ");

  struct Case {
    const char* in;
    const char* expected;
  };
  const Case cases[] = {{"  ab c  ", "ab c"}, {"    ", ""}, {"", ""}, {"ab", "ab"}, {"\tab ", "\tab"}};
  for (const Case& c : cases) {
    char buffer[16];
    std::strcpy(buffer, c.in);
    EXPECT_EQ(SZFTRIM(buffer), buffer);
    EXPECT_STREQ(buffer, c.expected) << "'" << c.in << "'";
  }
  EXPECT_EQ(SZFTRIM(nullptr), nullptr);
  EXPECT_EQ(SZFWHITESPACES(nullptr), nullptr);
}
