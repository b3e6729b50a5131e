#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "branutl/date_texts.h"

namespace {

ShortString S(const std::string& text) { return ShortString::From(text); }

template <typename Call>
std::string Out(Call call) {
  ShortString out = S("junk");
  call(&out);
  return out.Str();
}

std::string Text(void (*f)(const ShortString*, ShortString*), const std::string& s) {
  const ShortString in = S(s);
  return Out([&](ShortString* o) { f(&in, o); });
}

std::uint32_t Packed(unsigned y, unsigned mo, unsigned d, unsigned h, unsigned mi, unsigned s) {
  return ((y - 1980) << 25) | (mo << 21) | (d << 16) | (h << 11) | (mi << 5) | (s / 2);
}

const char* const LongMarks = "Po \xDAt St \xC8t P\xE1 So Ne ";

}  // namespace

TEST(DateTexts, StylesPlaceDayMonthYearAndTime) {
  const tDateTimeRec jan5{1999, 1, 5, 8, 5, 9};
  const tDateTimeRec dec31{2005, 12, 31, 23, 59, 58};
  const tDateTimeRec wide{12345, 13, 123, 123, 7, 100};
  struct Case {
    tDateTimeRec rec;
    std::uint16_t style;
    bool dateFirst;
    const char* text;
  } const cases[] = {
      {jan5, 0, true, " 5-JAN-1999 08:05:09"},
      {jan5, 1, true, " 5.01.99 08:05:09"},
      {jan5, 1, false, "08:05:09  5.01.99"},
      {jan5, 2, true, " 5.01.99 08:05"},
      {jan5, 3, true, " 5.01. 08:05"},
      {jan5, 4, false, "08:05  5/01"},
      {jan5, 5, true, ""},
      {jan5, 0xFFFF, false, ""},
      {dec31, 1, true, "31.12.05 23:59:58"},
      {dec31, 0, true, "31-DEC-2005 23:59:58"},
      {{999, 0, 1, 0, 0, 0}, 0, true, " 1-??" "?- 999 00:00:00"},
      {wide, 0, true, "12-??" "?-12345 12:07:10"},  // fields but the year cut to two places
  };
  for (const Case& c : cases)
    EXPECT_EQ(Out([&](ShortString* o) { STRDTTM(&c.rec, c.style, c.dateFirst, o); }), c.text)
        << c.style << " " << c.text;
}

TEST(DateTexts, PackedTimesAndMinutesGoThroughTheCalendar) {
  EXPECT_EQ(Out([](ShortString* o) { STRPCKDTTM(Packed(1999, 1, 5, 8, 5, 9), 1, true, o); }),
            " 5.01.99 08:05:08");  // packed seconds are even
  const std::int32_t jan5 = DATE2DAYS(1999, 1, 5) * 1440 + 8 * 60 + 5;
  EXPECT_EQ(Out([&](ShortString* o) { STRMINUTES(jan5, 1, true, false, o); }), " 5.01.99 08:05:00");
  EXPECT_EQ(Out([&](ShortString* o) { STRMINUTES(jan5, 4, false, true, o); }),
            "\xDAt 08:05  5/01");  // a Tuesday
  EXPECT_EQ(Out([](ShortString* o) { STRMINUTES(0, 1, true, false, o); }), " 1.01.79 00:00:00");
  EXPECT_EQ(Out([](ShortString* o) { STRMINUTES(-1, 1, true, false, o); }), "");
  EXPECT_EQ(Out([](ShortString* o) { STRMINUTES(65536 * 1440, 1, true, false, o); }), "");
  EXPECT_EQ(Out([&](ShortString* o) { STRMINUTES(jan5, 9, true, false, o); }), "");
}

TEST(DateTexts, DatesSurviveTheirMinuteTexts) {
  for (std::uint16_t year : {1980, 1999, 2000, 2024, 2099})
    for (std::uint16_t month : {1, 2, 6, 12})
      for (std::uint16_t day : {1, 15, 28}) {
        const std::int32_t minutes = DATE2DAYS(year, month, day) * 1440 + 23 * 60 + 59;
        const std::string text = Out([&](ShortString* o) { STRMINUTES(minutes, 0, true, false, o); });
        char expected[32];
        static const char* const months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                             "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
        std::snprintf(expected, sizeof expected, "%2d-%s-%d 23:59:00", day, months[month - 1], year);
        EXPECT_EQ(text, expected);
      }
}

TEST(DateTexts, NameStampsAndMinuteTexts) {
  EXPECT_EQ(Out([](ShortString* o) { STRDT2NAME(1999, 12, 31, o); }), "991231");
  EXPECT_EQ(Out([](ShortString* o) { STRDT2NAME(2000, 1, 2, o); }), "000102");
  EXPECT_EQ(Out([](ShortString* o) { STRDT2NAME(2001, 123, 4, o); }), "0112304");
  EXPECT_EQ(Out([](ShortString* o) { STRTM2NAME(8, 5, 9, o); }), "080509");
  EXPECT_EQ(Out([](ShortString* o) { STRPCKDT2NAME(Packed(2026, 12, 10, 9, 30, 44), o); }), "261210");
  EXPECT_EQ(Out([](ShortString* o) { STRPCKTM2NAME(Packed(2026, 12, 10, 9, 30, 44), o); }), "093044");
  struct Case {
    std::uint16_t seconds;
    const char* text;
  } const cases[] = {{0, "00:00"}, {59, "00:59"}, {65, "01:05"}, {6000, "100:00"}, {65535, "1092:15"}};
  for (const Case& c : cases)
    EXPECT_EQ(Out([&](ShortString* o) { STRMINUTE(c.seconds, o); }), c.text);
}

TEST(DateTexts, WeekdayMasksShowTheMarksOfTheSetDays) {
  EXPECT_EQ(Out([](ShortString* o) { STRWEEKLONG(0, o); }), "-- -- -- -- -- -- -- ");
  EXPECT_EQ(Out([](ShortString* o) { STRWEEKLONG(255, o); }), LongMarks);
  EXPECT_EQ(Out([](ShortString* o) { STRWEEKLONG(127, o); }), LongMarks);
  EXPECT_EQ(Out([](ShortString* o) { STRWEEKLONG(128, o); }), "-- -- -- -- -- -- -- ");
  EXPECT_EQ(Out([](ShortString* o) { STRWEEKLONG(1 | 4, o); }), "Po -- St -- -- -- -- ");
  EXPECT_EQ(Out([](ShortString* o) { STRWEEKSHORT(1 | 64, o); }), "po - - - - - ne ");
  EXPECT_EQ(Out([](ShortString* o) { STRWEEKSHORT(2 | 8, o); }), "- \xFAt - \xE8t - - - ");
  EXPECT_EQ(Out([](ShortString* o) { STRWEEKMARKS(3, o); }), "\x7F \x7F - - - - - ");
}

TEST(TildeCodes, AttributeCodesAreDroppedAndCounted) {
  struct Case {
    const char* s;
    const char* text;
  } const cases[] = {
      {"a~0b", "ab"}, {"~>x", "x"},   {"~?", "~?"},     {"end~", "end~"},
      {"~~0", "~"},   {"~", "~"},     {"a~/b", "a~/b"}, {"~0~1~2", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(TILDACODETEXT, c.s), c.text) << c.s;
    const ShortString in = S(c.s);
    EXPECT_EQ(TILDACODELENGTH(&in), std::string(c.text).size()) << c.s;
  }
}

TEST(TildeCodes, TogglesAreDroppedAndCountedThroughAPointer) {
  EXPECT_EQ(Text(TILDATOGGLETEXT, "~a~b~"), "ab");
  const ShortString in = S("~a~b~");
  const ShortString* pointer = &in;
  EXPECT_EQ(TILDATOGGLELENGTH(&pointer), 2);
  const ShortString plain = S("plain");
  pointer = &plain;
  EXPECT_EQ(TILDATOGGLELENGTH(&pointer), 5);
}

TEST(TildeCodes, ReferencesShowTheirTextOnly) {
  struct Case {
    const char* s;
    const char* text;
  } const cases[] = {
      {"~(Help:h12)", "Help"},
      {"~(abc)", "~(abc)"},
      {"~[Text:ref]", "Text"},
      {"See ~{Index:i1} and ~(More:m).", "See Index and More."},
      {"~\xBBName:n\xAB", "Name"},
      {"~(a:x)", "a"},
      {"~(:xyz)", "~(:xyz)"},             // too short before the colon
      {"~(Help:)", "~(Help:)"},           // nothing between colon and bracket
      {"~(Name:0123456789ab)", "~(Name:0123456789ab)"},  // reference too long
      {"~(Name:0123456789a)", "Name"},
      {"a~b", "a~b"},
      {"~~(x:yy)", "~x"},
      {"~(ab", "~(ab"},
      {"~(Help]:x)", "Help]"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(TILDAREFERENCE, c.s), c.text) << c.s;
}

TEST(HeuristicSearch, TableHoldsFirstPositions) {
  const ShortString pattern = S("abca");
  std::uint8_t table[256];
  std::fill(std::begin(table), std::end(table), 0xEE);
  STR2TABLE(&pattern, table);
  for (int c = 0; c < 256; ++c) {
    const int expected = c == 'a' ? 1 : c == 'b' ? 2 : c == 'c' ? 3 : 0;
    EXPECT_EQ(table[c], expected) << c;
  }
}

TEST(HeuristicSearch, FindsTheLastOccurrence) {
  struct Case {
    const char* pattern;
    const char* text;
    std::int32_t position;
  } const cases[] = {
      {"ab", "xabyab", 5}, {"abc", "xab", 0}, {"", "x", 0},     {"a", "", 0},
      {"aba", "abab", 1},  {"ab", "ab", 1},   {"b", "abcb", 4}, {"xyz", "xyzxyzxy", 4},
  };
  for (const Case& c : cases) {
    const ShortString pattern = S(c.pattern), text = S(c.text);
    std::uint8_t table[256];
    STR2TABLE(&pattern, table);
    EXPECT_EQ(HEURISTICSEARCH(&pattern, &text, table), c.position) << c.pattern << " " << c.text;
  }
}

TEST(HeuristicSearch, AgreesWithAPlainSearchFromTheRight) {
  std::mt19937 random(17);
  for (int i = 0; i < 2000; ++i) {
    std::string pattern(1 + random() % 4, ' '), text(random() % 40, ' ');
    for (char& c : pattern) c = static_cast<char>('a' + random() % 3);
    for (char& c : text) c = static_cast<char>('a' + random() % 3);
    const ShortString p = S(pattern), t = S(text);
    std::uint8_t table[256];
    STR2TABLE(&p, table);
    const auto at = text.rfind(pattern);
    EXPECT_EQ(HEURISTICSEARCH(&p, &t, table), at == std::string::npos ? 0 : std::int32_t(at + 1))
        << pattern << " in " << text;
  }
}

TEST(Base62, DigitsAndValues) {
  struct Case {
    std::int32_t value;
    const char* text;
  } const cases[] = {{0, "0"}, {9, "9"}, {10, "a"}, {35, "z"}, {36, "A"},
                     {61, "Z"}, {62, "10"}, {2205, "zz"}, {2147483647, "2lkCB1"}};
  for (const Case& c : cases) {
    EXPECT_EQ(Out([&](ShortString* o) { STRB62(c.value, o); }), c.text);
    const ShortString in = S(c.text);
    EXPECT_EQ(VALB62(&in), c.value) << c.text;
  }
  // Negative values count as unsigned.
  EXPECT_EQ(Out([](ShortString* o) { STRB62(-1, o); }), "4GFfc3");
}

TEST(Base62, MinusOneOnlyForBadDigitsAndOverflow) {
  struct Case {
    const char* text;
    std::int32_t value;
  } const cases[] = {{"", 0},         {"a-", -1},       {" 1", -1},     {"2lkCB2", -1},
                     {"4GFfc3", -1},  {"zzzzzz", -1},   {"0002lkCB1", 2147483647},
                     {"4GFfc2", -1}};
  for (const Case& c : cases) {
    const ShortString in = S(c.text);
    EXPECT_EQ(VALB62(&in), c.value) << c.text;
  }
  std::mt19937 random(23);
  for (int i = 0; i < 1000; ++i) {
    const std::int32_t value = static_cast<std::int32_t>(random() & 0x7FFFFFFF);
    const ShortString text = S(Out([&](ShortString* o) { STRB62(value, o); }));
    EXPECT_EQ(VALB62(&text), value);
  }
}
