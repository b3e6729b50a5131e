#include "platform/core/cp1250.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1250, EveryDefinedByteRoundTripsThroughUnicodeAndUtf8) {
  int defined = 0;
  for (int b = 0; b < 256; ++b) {
    const auto ch = win::Cp1250ToUnicode(static_cast<unsigned char>(b));
    if (!ch) continue;
    ++defined;
    EXPECT_EQ(win::UnicodeToCp1250(*ch), static_cast<unsigned char>(b)) << b;
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(win::Utf8ToCp1250(win::Cp1250ToUtf8(byte)), byte) << b;
  }
  EXPECT_EQ(defined, 251);  // 0x81, 0x83, 0x88, 0x90 and 0x98 are undefined
}

TEST(Cp1250, CzechLettersMapToTheirUnicodeCharacters) {
  struct Case { unsigned char byte; char32_t ch; };
  const Case cases[] = {{0x8A, U'Š'}, {0x9A, U'š'}, {0x8D, U'Ť'}, {0x9E, U'ž'}, {0xC8, U'Č'},
                        {0xE8, U'č'}, {0xF8, U'ř'}, {0xF9, U'ů'}, {0xEC, U'ě'}, {0xB3, U'ł'},
                        {0x80, U'€'}, {0xFF, U'˙'}};
  for (const auto& c : cases) EXPECT_EQ(win::Cp1250ToUnicode(c.byte), c.ch) << int(c.byte);
}

TEST(Cp1250, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(win::U32ToCp1250(U"a\u00F1b\u4E2D"), "a?b?");  // ñ and 中 are not in 1250
  EXPECT_EQ(win::Cp1250ToU32("\x81x"), U"?x");
}

TEST(Cp1250, Utf8NamesOutsideTheCodePageAreRejected) {
  EXPECT_EQ(win::Utf8ToCp1250("p\xC5\x99\xC3\xADli\xC5\xA1"), "p\xF8\xEDli\x9A");  // příliš
  EXPECT_FALSE(win::Utf8ToCp1250("\xE4\xB8\xAD"));  // 中
  EXPECT_FALSE(win::Utf8ToCp1250("\xC3"));          // cut short
  EXPECT_FALSE(win::Utf8ToCp1250("\xC0\xAF"));      // overlong
  EXPECT_FALSE(win::Utf8ToCp1250("\xFF"));
}

}  // namespace
