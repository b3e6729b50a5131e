#include <gtest/gtest.h>

#include <string>

#include "branutl/code_pages.h"

namespace {

using Conversion = void (*)(const ShortString*, ShortString*);

std::string Convert(Conversion convert, const std::string& text) {
  const ShortString in = ShortString::From(text);
  ShortString out;
  out.Assign("stale");
  convert(&in, &out);
  return out.Str();
}

// The Czech letters, small then capital, in each code page, and what is left
// of them in 437.
const std::string czech1250 =
    "\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E"
    "\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8\x8A\x8D\xDA\xD9\xDD\x8E";
const std::string czech895Small = "\xA0\x87\x83\x82\x88\xA1\xA4\xA2\xA9\xA8\x9F\xA3\x96\x98\x91";
const std::string czech895Capital = "\x8F\x80\x85\x90\x89\x8B\xA5\x95\x9E\x9B\x86\x97\xA6\x9D\x92";
const std::string czech895 = czech895Small + czech895Capital;
const std::string czech852 =
    "\xA0\x9F\xD4\x82\xD8\xA1\xE5\xA2\xFD\xE7\x9C\xA3\x85\xEC\xA7"
    "\xB5\xAC\xD2\x90\xB7\xD6\xD5\xE0\xFC\xE6\x9B\xE9\xDE\xED\xA6";
const std::string czech437 = "acdeeinorstuuyzACDEEINORSTUUYZ";

struct Case {
  const char* name;
  Conversion convert;
  std::string in, out;
};

TEST(CodePages, CzechLettersConvertBetweenThePages) {
  const Case cases[] = {
      {"1250 to 895", STR1250X895, czech1250, czech895},
      {"895 to 1250", STR895X1250, czech895, czech1250},
      {"895 to 852", STR895X852, czech895, czech852},
      {"852 to 895", STR852X895, czech852, czech895},
      {"895 to 437", STR895X437, czech895, czech437},
      {"852 to 437", STR852X437, czech852, czech437},
      {"1250 to 437", STR1250X437, czech1250, czech437},
      {"895 upper case", STR895UPR, czech895Small + "abc", czech895Capital + "ABC"},
      {"895 lower case", STR895LWR, czech895Capital + "ABC", czech895Small + "abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.convert, c.in), c.out) << c.name;
}

TEST(CodePages, CzechTextSurvivesTheRoundTrips) {
  struct RoundTrip {
    const char* name;
    Conversion there, back;
    std::string text;
  };
  const std::string sentence1250 = "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl";
  const RoundTrip trips[] = {
      {"1250 over 895", STR1250X895, STR895X1250, czech1250},
      {"1250 sentence over 895", STR1250X895, STR895X1250, sentence1250},
      {"895 over 1250", STR895X1250, STR1250X895, czech895},
      {"895 over 852", STR895X852, STR852X895, czech895},
      {"852 over 895", STR852X895, STR895X852, czech852},
      {"895 case", STR895UPR, STR895LWR, czech895Small},
  };
  for (const RoundTrip& t : trips)
    EXPECT_EQ(Convert(t.back, Convert(t.there, t.text)), t.text) << t.name;
}

// A table out of 895 that maps a byte to another names the character that
// byte holds (a byte mapped to itself only fills the table); the way back
// must give it back. Byte 255 out of 1250 stays as it is (see above).
TEST(CodePages, EveryCharacterOf895ComesBackFromTheOtherPage) {
  const struct Trip {
    const char* page;
    Conversion there, back;
  } trips[] = {{"1250", STR895X1250, STR1250X895}, {"852", STR895X852, STR852X895}};
  for (const Trip& t : trips) {
    for (int b = 128; b < 256; ++b) {
      const std::string byte(1, static_cast<char>(b));
      const std::string there = Convert(t.there, byte);
      const auto named = static_cast<unsigned char>(there[0]);
      if (named == b || named < 128 || named == 0xFF) continue;
      EXPECT_EQ(Convert(t.back, there), byte) << "895 byte " << b << " over " << t.page;
    }
  }
}

TEST(CodePages, LettersOf852ReachTheirPlaceIn1250Through895) {
  const struct Letter {
    const char* name;
    std::string in852, out1250;
  } letters[] = {
      {"O circumflex", "\xE2", "\xD4"}, {"r acute", "\xEA", "\xE0"}, {"R acute", "\xE8", "\xC0"},
      {"section sign", "\xF5", "\xA7"}, {"a umlaut", "\x84", "\xE4"}, {"L caron", "\x95", "\xBC"},
  };
  for (const Letter& l : letters)
    EXPECT_EQ(Convert(STR895X1250, Convert(STR852X895, l.in852)), l.out1250) << l.name;
}

TEST(CodePages, CharactersBelow128AreNeverConverted) {
  std::string ascii;
  for (int c = 0; c < 128; ++c) ascii += static_cast<char>(c);
  std::string lower = ascii, upper = ascii;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  const Case cases[] = {
      {"895 to 437", STR895X437, ascii, ascii},   {"895 to 852", STR895X852, ascii, ascii},
      {"852 to 437", STR852X437, ascii, ascii},   {"852 to 895", STR852X895, ascii, ascii},
      {"1250 to 895", STR1250X895, ascii, ascii}, {"895 to 1250", STR895X1250, ascii, ascii},
      {"1250 to 437", STR1250X437, ascii, ascii}, {"895 lower", STR895LWR, ascii, lower},
      {"895 upper", STR895UPR, ascii, upper},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.convert, c.in), c.out) << c.name;
}

TEST(CodePages, Byte255BecomesABlankOutOf895And852AndStaysOutOf1250) {
  const std::string ff = "x\xFFy";
  const Case cases[] = {
      {"895 to 437", STR895X437, ff, "x y"},   {"895 to 852", STR895X852, ff, "x y"},
      {"895 to 1250", STR895X1250, ff, "x y"}, {"852 to 437", STR852X437, ff, "x y"},
      {"852 to 895", STR852X895, ff, "x y"},   {"1250 to 895", STR1250X895, ff, ff},
      {"1250 to 437", STR1250X437, ff, ff},    {"895 lower", STR895LWR, "X\xFFY", "x\xFFy"},
      {"895 upper", STR895UPR, ff, "X\xFFY"},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.convert, c.in), c.out) << c.name;
}

// Entries that look wrong are kept: stored files were converted with them.
TEST(CodePages, OddTableEntriesAreKeptAsTheSuiteHasThem) {
  const Case cases[] = {
      {"1250 euro sign", STR1250X895, "\x80", "\xFE"},
      {"1250 currency sign", STR1250X895, "\xA4", "\x0F"},
      {"1250 byte 128 kept for 437", STR1250X437, "\x80", "\x80"},
      {"852 byte 0xAA to a blank", STR852X437, "\xAA", " "},
      {"895 bytes 0xF6 and 0xF7 to one byte", STR895X1250, "\xF6\xF7", "\xF7\xF7"},
      {"895 upper case of 0x85 stays", STR895UPR, "\x85", "\x85"},
      {"895 lower case of 0x89 is 0x88", STR895LWR, "\x89", "\x88"},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.convert, c.in), c.out) << c.name;
}

TEST(CodePages, LengthIsKeptAndTheResultMayOverwriteTheSource) {
  std::string high;
  for (int i = 0; i < 255; ++i) high += static_cast<char>(128 + i % 128);
  for (const Conversion convert : {STR895X437, STR895X852, STR852X437, STR852X895, STR1250X895,
                                   STR895X1250, STR1250X437, STR895LWR, STR895UPR}) {
    const std::string expected = Convert(convert, high);
    EXPECT_EQ(expected.size(), 255u);
    ShortString same = ShortString::From(high);
    convert(&same, &same);
    EXPECT_EQ(same.Str(), expected);
  }
}

TEST(CodePages, MissingSourceGivesTheEmptyText) {
  ShortString out;
  out.Assign("stale");
  STR1250X895(nullptr, &out);
  EXPECT_EQ(out.Str(), "");
  STR895UPR(nullptr, nullptr);
}

TEST(CodePages, Up895CaseRaisesOneCharacter) {
  struct CharCase {
    char in, out;
  };
  const CharCase cases[] = {
      {'a', 'A'}, {'z', 'Z'}, {'A', 'A'}, {'1', '1'}, {'{', '{'}, {'`', '`'},
      {'\x87', '\x80'},  // c with caron
      {'\xA0', '\x8F'},  // a with acute
      {'\x98', '\x9D'},  // y with acute
      {'\x80', '\x80'}, {'\xFF', '\xFF'},
  };
  for (const CharCase& c : cases)
    EXPECT_EQ(static_cast<unsigned char>(UP895CASE(c.in)), static_cast<unsigned char>(c.out))
        << int(static_cast<unsigned char>(c.in));
}

}  // namespace
