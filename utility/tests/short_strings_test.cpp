#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "branutl/short_strings.h"

namespace {

using Unary = void (*)(const ShortString*, ShortString*);
using Marker = void (*)(char, const ShortString*, ShortString*);
using Pair = void (*)(char, char, const ShortString*, ShortString*);
using Width = void (*)(const ShortString*, int32_t, ShortString*);

ShortString S(const std::string& text) { return ShortString::From(text); }

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// Runs a routine once into a separate buffer and once with one buffer as input
// and result; both must give the same text.
template <typename Call>
std::string Both(const std::string& input, Call call) {
  const ShortString in = S(input);
  ShortString out = S("stale result");
  call(&in, &out);
  ShortString shared = S(input);
  call(&shared, &shared);
  EXPECT_EQ(shared.Str(), out.Str()) << "one buffer as input and result, input '" << input << "'";
  return out.Str();
}

}  // namespace

TEST(ShortStrings, BlankZeroAndCaseRoutinesTransformTheWholeString) {
  struct Case {
    Unary fn;
    const char* name;
    std::string in;
    std::string expected;
  };
  const Case cases[] = {
      {STRLBO, "STRLBO", "  a b  ", "a b  "},
      {STRLBO, "STRLBO", "", ""},
      {STRLBO, "STRLBO", "\ta", "\ta"},  // a tab is no blank
      {STRTBO, "STRTBO", "  a b  ", "  a b"},
      {STRTBO, "STRTBO", "a\t", "a\t"},
      {STRTRIM, "STRTRIM", "  a b  ", "a b"},
      {STRTRIM, "STRTRIM", "     ", ""},
      {STRTRIM, "STRTRIM", "", ""},
      {STRTRIM, "STRTRIM", " \ta\t ", "\ta\t"},
      {STRABO, "STRABO", " a b  c ", "abc"},
      {STRABO, "STRABO", "", ""},
      {STRRBO, "STRRBO", "a   b  c  ", "a b c "},
      {STRRBO, "STRRBO", "   ", " "},
      {STRRBO, "STRRBO", "", ""},
      {STRLZO, "STRLZO", "  007", "7"},
      {STRLZO, "STRLZO", " 000", "0"},
      {STRLZO, "STRLZO", "0 0 5", "5"},
      {STRLZO, "STRLZO", "100", "100"},
      {STRLZO, "STRLZO", "  ", ""},
      {STRLZO, "STRLZO", "", ""},
      {STRLZO, "STRLZO", " a0", "a0"},
      {STRLB0, "STRLB0", "  7", "007"},
      {STRLB0, "STRLB0", " 7 ", "07 "},
      {STRLB0, "STRLB0", "x  ", "x  "},
      {STRLB0, "STRLB0", "", ""},
      {FILLINNAUGHT, "FILLINNAUGHT", "  7", "007"},
      {FILLINNAUGHT, "FILLINNAUGHT", "", ""},
      {STRUPR, "STRUPR", "azAZ09_\xE8\x9A", "AZAZ09_\xE8\x9A"},
      {STRUPR, "STRUPR", "", ""},
      {STRLWR, "STRLWR", "AZaz@[\xC8\x8A", "azaz@[\xC8\x8A"},
      {STRLWR, "STRLWR", "", ""},
      {STRATC, "STRATC", "a^b", "a^^b"},
      {STRATC, "STRATC", std::string("\x01\x1F\x00\x7F\xE8", 5), "^A^_^@\x7F\xE8"},
      {STRATC, "STRATC", "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Both(c.in, c.fn), c.expected) << c.name << "('" << c.in << "')";
}

TEST(ShortStrings, CaretNotationIsCutAt255Characters) {
  const std::string controls(200, '\x01');
  const std::string result = Both(controls, STRATC);
  EXPECT_EQ(result.size(), 255u);
  EXPECT_EQ(result.substr(0, 4), "^A^A");
}

TEST(ShortStrings, MarkerRoutinesCutAtTheFirstOrLastMarker) {
  struct Case {
    Marker fn;
    const char* name;
    char ch;
    std::string in;
    std::string expected;
  };
  const std::string path = "C:\\X\\Y.TXT";
  const Case cases[] = {
      {STRCPYETO, "STRCPYETO", '\\', path, "Y.TXT"},
      {STRCPYETW, "STRCPYETW", '\\', path, "\\X\\Y.TXT"},
      {STRDELETW, "STRDELETW", '\\', path, "C:\\X"},
      {STRDELETO, "STRDELETO", '\\', path, "C:\\X\\"},
      {STRDELBTO, "STRDELBTO", '\\', path, "\\X\\Y.TXT"},
      {STRDELBTW, "STRDELBTW", '\\', path, "X\\Y.TXT"},
      {STRCPYBTO, "STRCPYBTO", '\\', path, "C:"},
      {STRCPYBTW, "STRCPYBTW", '\\', path, "C:\\"},
      {STRCPYETO, "STRCPYETO", '\\', "C:\\X\\", ""},
      {STRDELCHR, "STRDELCHR", 'a', "banana", "bnn"},
      {STRDELCHR, "STRDELCHR", 'a', "aaa", ""},
      // A missing marker returns s whole.
      {STRCPYETO, "STRCPYETO", '/', path, path},
      {STRCPYETW, "STRCPYETW", '/', path, path},
      {STRDELETW, "STRDELETW", '/', path, path},
      {STRDELETO, "STRDELETO", '/', path, path},
      {STRDELBTO, "STRDELBTO", '/', path, path},
      {STRDELBTW, "STRDELBTW", '/', path, path},
      {STRCPYBTO, "STRCPYBTO", '/', path, path},
      {STRCPYBTW, "STRCPYBTW", '/', path, path},
      {STRCPYETO, "STRCPYETO", '\\', "", ""},
      {STRDELBTW, "STRDELBTW", '\\', "", ""},
  };
  for (const Case& c : cases) {
    const auto call = [&](const ShortString* in, ShortString* out) { c.fn(c.ch, in, out); };
    EXPECT_EQ(Both(c.in, call), c.expected) << c.name << "('" << c.ch << "', '" << c.in << "')";
  }
}

TEST(ShortStrings, PairRoutinesActOnlyWhenTheFirstMarkerComesFirst) {
  struct Case {
    Pair fn;
    const char* name;
    std::string in;
    std::string expected;
  };
  const Case cases[] = {
      {STRDELFTO, "STRDELFTO", "f(x, y) + g(z)", "f() + g(z)"},
      {STRDELFTW, "STRDELFTW", "f(x, y) + g(z)", "f + g(z)"},
      {STRCPYFTO, "STRCPYFTO", "f(x, y) + g(z)", "x, y"},
      {STRCPYFTW, "STRCPYFTW", "f(x, y) + g(z)", "(x, y)"},
      {STRCPYFTO, "STRCPYFTO", "()", ""},
      {STRDELFTW, "STRDELFTW", "()", ""},
      {STRDELFTO, "STRDELFTO", "a)b(c", "a)b(c"},
      {STRDELFTW, "STRDELFTW", "a)b(c", "a)b(c"},
      {STRCPYFTO, "STRCPYFTO", "a)b(c", "a)b(c"},
      {STRCPYFTW, "STRCPYFTW", "a)b(c", "a)b(c"},
      {STRCPYFTO, "STRCPYFTO", "a(b", "a(b"},
      {STRCPYFTW, "STRCPYFTW", "a)b", "a)b"},
      {STRDELFTO, "STRDELFTO", "", ""},
  };
  for (const Case& c : cases) {
    const auto call = [&](const ShortString* in, ShortString* out) { c.fn('(', ')', in, out); };
    EXPECT_EQ(Both(c.in, call), c.expected) << c.name << "('" << c.in << "')";
  }
  // The same character as both markers: its first occurrence is not before itself.
  const ShortString in = S("a|b|c");
  ShortString out;
  STRCPYFTO('|', '|', &in, &out);
  EXPECT_EQ(out.Str(), "a|b|c");
}

TEST(ShortStrings, CuttingSplitsIntoTrimmedHeadAndRest) {
  ShortString s = S("a , b , c");
  ShortString head;
  STRCUTBTO(',', &s, &head);
  EXPECT_EQ(head.Str(), "a");
  EXPECT_EQ(s.Str(), "b , c");
  STRCUTBTO(',', &s, &head);
  EXPECT_EQ(head.Str(), "b");
  EXPECT_EQ(s.Str(), "c");
  STRCUTBTO(',', &s, &head);
  EXPECT_EQ(head.Str(), "c");
  EXPECT_EQ(s.Str(), "");
  STRCUTBTO(',', &s, &head);
  EXPECT_EQ(head.Str(), "");
  EXPECT_EQ(s.Str(), "");

  struct Case {
    int32_t n;
    std::string in;
    std::string head;
    std::string rest;
  };
  const Case cases[] = {
      {3, "abc  def", "abc", "def"},
      {5, "ab   cd", "ab", "cd"},
      {0, " x", "", "x"},
      {-3, "abc", "", "abc"},  // out of range: nothing taken
      {99, "abc ", "abc", ""},
      {2, "", "", ""},
  };
  for (const Case& c : cases) {
    ShortString rest = S(c.in);
    ShortString cutHead = S("stale");
    STRCUTBTL(c.n, &rest, &cutHead);
    EXPECT_EQ(cutHead.Str(), c.head) << "STRCUTBTL(" << c.n << ", '" << c.in << "')";
    EXPECT_EQ(rest.Str(), c.rest) << "STRCUTBTL(" << c.n << ", '" << c.in << "')";
  }
}

TEST(ShortStrings, ComparisonsOrderByUnsignedBytesThenLength) {
  struct Case {
    std::string a, b;
    int32_t order;
    int32_t shared;
  };
  const Case cases[] = {
      {"abc", "abd", -1, 2}, {"abd", "abc", 1, 2}, {"ab", "abc", -1, 2}, {"abc", "ab", 1, 2},
      {"abc", "abc", 0, 3},  {"", "", 0, 0},       {"\x80", "a", 1, 0},  {"", "a", -1, 0},
      {"B", "a", -1, 0},
  };
  for (const Case& c : cases) {
    const ShortString a = S(c.a), b = S(c.b);
    EXPECT_EQ(STRCMP(&a, &b), c.order) << "STRCMP('" << c.a << "', '" << c.b << "')";
    EXPECT_EQ(STRWEQCMP(&a, &b), c.shared) << "STRWEQCMP('" << c.a << "', '" << c.b << "')";
  }
}

TEST(ShortStrings, BeginsWithComparesAsciiLettersWithoutCase) {
  struct Case {
    std::string prefix, s;
    bool expected;
  };
  const Case cases[] = {
      {"", "x", true},   {"", "", true},        {"ab", "ABc", true},
      {"AB", "abX", true}, {"abc", "ab", false}, {"\xC8", "\xE8", false},
      {"b", "ab", false},
  };
  for (const Case& c : cases) {
    const ShortString prefix = S(c.prefix), s = S(c.s);
    EXPECT_EQ(STRBEGIN(&prefix, &s), c.expected) << "'" << c.prefix << "', '" << c.s << "'";
  }
}

TEST(ShortStrings, WildcardStarTakesAnyTailAndOnlyThePatternIsLowerCased) {
  struct Case {
    std::string s, pattern;
    bool expected;
  };
  const Case cases[] = {
      {"readme.txt", "READ*", true},
      {"README.TXT", "READ*", false},
      {"abc", "a?c", true},
      {"abcd", "a?c", false},
      {"ABC", "A?C", true},  // without "*" nothing is lower-cased
      {"ABC", "a?c", false},
      {"abc", "*", true},
      {"", "*", true},
      {"abc", "", false},
      {"", "", true},
      {"abXd.txt", "ab?d*", true},
      {"ab", "abc*", false},
      {"abc", "abc*ignored", true},
  };
  for (const Case& c : cases) {
    const ShortString s = S(c.s), pattern = S(c.pattern);
    EXPECT_EQ(STRWLDCMP(&s, &pattern), c.expected) << "'" << c.s << "' against '" << c.pattern << "'";
  }
}

TEST(ShortStrings, IdFieldsHoldExactlyNBytesWithoutLengthByte) {
  const char field[3] = {'A', 'B', 'C'};
  const ShortString abc = S("ABC"), ab = S("AB"), abd = S("ABD");
  EXPECT_TRUE(CMPID(field, 3, &abc));
  EXPECT_FALSE(CMPID(field, 3, &ab));
  EXPECT_FALSE(CMPID(field, 3, &abd));
  EXPECT_FALSE(CMPID(field, 2, &abc));

  unsigned char filled[6];
  std::memset(filled, 0xEE, sizeof filled);
  FILLID(filled, 5, &ab);
  const unsigned char expected[6] = {'A', 'B', 0, 0, 0, 0xEE};
  EXPECT_EQ(std::memcmp(filled, expected, 6), 0);
  const ShortString longer = S("ABCDEFG");
  FILLID(filled, 3, &longer);
  EXPECT_EQ(std::memcmp(filled, "ABC\0\0", 5), 0);
}

TEST(ShortStrings, WidthRoutinesPadWithBlanksAndCutAt255) {
  struct Case {
    Width fn;
    const char* name;
    std::string in;
    int32_t width;
    std::string expected;
  };
  const Case cases[] = {
      {STRLEFT, "STRLEFT", "ab", 5, "ab   "},
      {STRLEFT, "STRLEFT", "abc", 1, "abc"},
      {STRLEFT, "STRLEFT", "", 3, "   "},
      {STRLEFT, "STRLEFT", "ab", -4, "ab"},
      {STRLEFT, "STRLEFT", "ab", 300, "ab" + Blanks(253)},
      {STRRIGHT, "STRRIGHT", "ab", 5, "   ab"},
      {STRRIGHT, "STRRIGHT", "", 3, "   "},
      {STRRIGHT, "STRRIGHT", "abc", 2, "abc"},
      {STRRIGHT, "STRRIGHT", "ab", 256, Blanks(254) + "a"},
      {STRCNTR, "STRCNTR", "abcd", 10, "    abcd  "},
      {STRCNTR, "STRCNTR", "abcd", 5, " abcd"},
      {STRCNTR, "STRCNTR", "abcd", 7, "  abcd "},
      {STRCNTR, "STRCNTR", "abcd", 4, "abcd"},
      {STRCNTR, "STRCNTR", "abcd", 2, "abcd"},
      {STRCNTR, "STRCNTR", "", 3, "   "},
      {STRCNTR, "STRCNTR", "ab", 600, Blanks(255)},
      {STRSHRNK, "STRSHRNK", "abcdefghijkl", 8, "a...ijkl"},
      {STRSHRNK, "STRSHRNK", "abcdefghijkl", 4, "...l"},
      {STRSHRNK, "STRSHRNK", "abcdefghijkl", 12, "abcdefghijkl"},
      {STRSHRNK, "STRSHRNK", "abcdefghijkl", 3, "..."},  // below 4: only dots fit
      {STRSHRNK, "STRSHRNK", "abcdefghijkl", 1, "."},
      {STRSHRNK, "STRSHRNK", "abcdefghijkl", 0, ""},
      {STRSHRNK, "STRSHRNK", "abcdefghijkl", -7, ""},
      {STRSHRNK, "STRSHRNK", "", 0, ""},
      {STRTRUNC, "STRTRUNC", "abcdefgh", 6, "abc..."},
      {STRTRUNC, "STRTRUNC", "abcdefgh", 8, "abcdefgh"},
      {STRTRUNC, "STRTRUNC", "abcdefgh", 3, "..."},
      {STRTRUNC, "STRTRUNC", "abcdefgh", 2, ".."},  // below 3: only dots fit
      {STRTRUNC, "STRTRUNC", "abcdefgh", -1, ""},
      {STRTRUNC, "STRTRUNC", "", 0, ""},
  };
  for (const Case& c : cases) {
    const auto call = [&](const ShortString* in, ShortString* out) { c.fn(in, c.width, out); };
    EXPECT_EQ(Both(c.in, call), c.expected) << c.name << "('" << c.in << "', " << c.width << ")";
  }
  // Shortening keeps the head and the tail around the dots.
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyz";
  const auto shrunk = Both(alphabet, [](const ShortString* in, ShortString* out) { STRSHRNK(in, 20, out); });
  EXPECT_EQ(shrunk, "abcd...nopqrstuvwxyz");
  EXPECT_EQ(shrunk.size(), 20u);
}

TEST(ShortStrings, CharacterRoutinesKeepLengthRules) {
  const auto dbl = [](char ch) {
    return [ch](const ShortString* in, ShortString* out) { STRDBLCHAR(in, ch, out); };
  };
  EXPECT_EQ(Both("a\"b\"", dbl('"')), "a\"\"b\"\"");
  EXPECT_EQ(Both("", dbl('"')), "");
  EXPECT_EQ(Both(std::string(200, '"'), dbl('"')), std::string(255, '"'));

  const auto acc = [](char ch) {
    return [ch](const ShortString* in, ShortString* out) { STRACC(in, ch, out); };
  };
  const auto dcc = [](char ch) {
    return [ch](const ShortString* in, ShortString* out) { STRDCC(in, ch, out); };
  };
  EXPECT_EQ(Both("C:\\X", acc('\\')), "C:\\X\\");
  EXPECT_EQ(Both("C:\\X\\", acc('\\')), "C:\\X\\");
  EXPECT_EQ(Both("", acc('\\')), "\\");
  EXPECT_EQ(Both(std::string(255, 'a'), acc('\\')), std::string(255, 'a'));
  EXPECT_EQ(Both("C:\\X\\", dcc('\\')), "C:\\X");
  EXPECT_EQ(Both("C:\\X\\\\", dcc('\\')), "C:\\X\\");
  EXPECT_EQ(Both("ab", dcc('x')), "ab");
  EXPECT_EQ(Both("", dcc('x')), "");

  // The replaced character equals the length byte: the length stays.
  ShortString five = S("a\x05" "b\x05" "c");
  five.chars[5] = '\x05';
  STRREPL('\x05', 'Z', &five, &five);
  EXPECT_EQ(five.length, 5);
  EXPECT_EQ(five.Str(), "aZbZc");
  EXPECT_EQ(five.chars[5], '\x05');
  EXPECT_EQ(Both("", [](const ShortString* in, ShortString* out) { STRREPL('a', 'b', in, out); }), "");
}

TEST(ShortStrings, SubstitutedParametersMatchWithoutCase) {
  struct Case {
    std::string s, name, value, expected;
  };
  const Case cases[] = {
      {"Hello %NAME%!", "%name%", "World", "Hello World!"},
      {"%a% and %A%", "%a%", "x", "x and x"},
      {"NAME", "name", "MiXeD", "MiXeD"},
      {"abc", "", "x", "abc"},
      {"", "x", "y", ""},
      {"no match", "zz", "y", "no match"},
      // A value that holds the name is not expanded again.
      {"[x] [x]", "x", "xx", "[xx] [xx]"},
      {"abb", "ab", "a", "ab"},
      {"aabb", "ab", "", "ab"},
      {std::string(10, 'x'), "x", std::string(30, 'y'), std::string(255, 'y')},
  };
  for (const Case& c : cases) {
    const ShortString name = S(c.name), value = S(c.value);
    const auto call = [&](const ShortString* in, ShortString* out) { STRSUBPAR(in, &name, &value, out); };
    EXPECT_EQ(Both(c.s, call), c.expected) << "'" << c.s << "', '" << c.name << "', '" << c.value << "'";
  }
}

TEST(ShortStrings, SetTextListsRunsOfElementsBelowCount) {
  struct Case {
    std::uint8_t set[32];
    int32_t count;
    std::string expected;
  };
  const Case cases[] = {
      {{0x8E}, 256, "1..3,7"},
      {{0x8E}, 3, "1..2"},
      {{0x8E}, 2, "1"},
      {{0x8E}, 0, ""},
      {{0x8E}, -5, ""},
      {{}, 256, ""},
      {{0x01, 0x01}, 256, "0,8"},
      {{0x80, 0x01}, 256, "7..8"},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80},
       1000, "255"},
  };
  for (const Case& c : cases) {
    ShortString out = S("stale");
    STRSET(c.set, c.count, &out);
    EXPECT_EQ(out.Str(), c.expected) << "count " << c.count;
  }
  // Counts above 256 read no further than the 32 bytes of the set.
  std::uint8_t full[32];
  std::memset(full, 0xFF, sizeof full);
  ShortString out;
  STRSET(full, 100000, &out);
  EXPECT_EQ(out.Str(), "0..255");

  std::uint8_t even[32];
  std::memset(even, 0x55, sizeof even);
  STRSET(even, 256, &out);
  EXPECT_EQ(out.length, 255);
  EXPECT_EQ(out.Str().substr(0, 16), "0,2,4,6,8,10,12,");
}

TEST(ShortStrings, DifferenceSubtractsCharactersAndDropsTheEqualHead) {
  struct Case {
    std::string a, b, expected;
  };
  const Case cases[] = {
      {"abc", "abd", "!"},  // same length: b is the minuend
      {"hello", "help", "\x1Co"},
      {"x", "", "x"},
      {"", "x", "x"},
      {"", "", ""},
      {"ab", "ab", ""},
      {std::string(1, '\0'), "\xFF", "\x1F"},  // wraps modulo 256
  };
  for (const Case& c : cases) {
    const ShortString a = S(c.a), b = S(c.b);
    ShortString out;
    STRSUB(&a, &b, &out);
    EXPECT_EQ(out.Str(), c.expected) << "'" << c.a << "' - '" << c.b << "'";
    EXPECT_EQ(a.Str(), c.a);
    EXPECT_EQ(b.Str(), c.b);
  }
  ShortString shared = S("hello");
  const ShortString help = S("help");
  STRSUB(&shared, &help, &shared);
  EXPECT_EQ(shared.Str(), "\x1Co");
}

TEST(ShortStrings, WordDelimitersAreAllButDigitsLettersUnderscoreTildeAndHighLetters) {
  int words = 0;
  for (int c = 0; c < 256; ++c) {
    const bool word = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                      c == '_' || c == '~' || (c >= 128 && c <= 239);
    EXPECT_EQ(WORD_DELIM(static_cast<char>(c)), !word) << c;
    words += word;
  }
  EXPECT_EQ(words, 10 + 26 + 26 + 2 + 112);
}

TEST(ShortStrings, WordNavigationStaysInsideTheString) {
  struct Case {
    std::string s;
    uint16_t pos;
    std::string word;
    uint16_t left;
    uint16_t right;
  };
  const Case cases[] = {
      {"hello world", 3, "hello", 1, 7},
      {"hello world", 6, "world", 1, 7},
      {"hello world", 7, "world", 1, 11},
      {"hello world", 11, "world", 7, 11},
      {"hello world", 1, "hello", 1, 7},
      {"hello world", 300, "world", 7, 11},  // beyond the end: the last character
      {"hello", 0, "hello", 1, 5},
      {"a  b", 2, "", 1, 4},
      {"  ab", 4, "ab", 3, 4},
      {"  ab", 3, "ab", 1, 4},
      {"x.y", 2, "y", 1, 3},
      {"ab\xF0" "cd", 1, "ab", 1, 4},
      {"\xE9~_9 z", 2, "\xE9~_9", 1, 6},
      {"ab  ", 1, "ab", 1, 4},
      {"", 1, "", 1, 1},
      {"", 40, "", 1, 1},
  };
  for (const Case& c : cases) {
    const auto call = [&](const ShortString* in, ShortString* out) { GET_WORD(in, c.pos, out); };
    EXPECT_EQ(Both(c.s, call), c.word) << "GET_WORD('" << c.s << "', " << c.pos << ")";
    const ShortString s = S(c.s);
    EXPECT_EQ(WORD_LEFT(&s, c.pos), c.left) << "WORD_LEFT('" << c.s << "', " << c.pos << ")";
    EXPECT_EQ(WORD_RIGHT(&s, c.pos), c.right) << "WORD_RIGHT('" << c.s << "', " << c.pos << ")";
  }
}

TEST(ShortStrings, ExpandTabsFillsToTheNextMultipleOfTheWidth) {
  struct Case {
    std::string in;
    int32_t width;
    std::string expected;
  };
  const Case cases[] = {
      {"\tx", 8, Blanks(7) + "x"},
      {"ab\tc", 4, "ab c"},
      {"abc\td", 4, "abc    d"},
      {"a\t\tb", 4, "a  " + Blanks(4) + "b"},
      {"a\tb", 0, "a b"},  // widths below 1 count as 1
      {"a\tb", -5, "a b"},
      {"a\tb", 1, "a b"},
      {"", 8, ""},
      {"no tabs", 8, "no tabs"},
      {std::string(40, '\t') + "x", 8, Blanks(255)},
      {"\t", 1000, Blanks(255)},
      {"\t", 2147483647, Blanks(255)},
  };
  for (const Case& c : cases) {
    const auto call = [&](const ShortString* in, ShortString* out) { EXPANDTABS(in, c.width, out); };
    EXPECT_EQ(Both(c.in, call), c.expected) << "EXPANDTABS('" << c.in << "', " << c.width << ")";
  }
}

TEST(ShortStrings, NullArgumentsReadAsEmptyAndNullResultsAreIgnored) {
  ShortString out = S("stale");
  STRTRIM(nullptr, &out);
  EXPECT_EQ(out.Str(), "");
  STRTRIM(nullptr, nullptr);
  STRLEFT(nullptr, 3, &out);
  EXPECT_EQ(out.Str(), "   ");
  EXPECT_EQ(STRCMP(nullptr, nullptr), 0);
  STRSET(nullptr, 256, &out);
  EXPECT_EQ(out.Str(), "");
  EXPECT_EQ(WORD_LEFT(nullptr, 5), 1);
}

TEST(ShortStrings, CaretNotationTurnsBackIntoControlCharacters) {
  struct Case {
    std::string in, expected;
  };
  const Case cases[] = {
      {"^a^A", "\x01\x01"},
      {"x^^y", "x^y"},
      {"ab^", "ab"},  // a lone caret at the end is dropped
      {"^", ""},
      {"^@", std::string(1, '\0')},
      {"^?", "\xFF"},      // wraps modulo 256
      {"^\x87", "\x40"},   // code page 895 small letter: its capital 0x80, less 64
      {"plain", "plain"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Both(c.in, STRCTA), c.expected) << "'" << c.in << "'";

  // STRCTA undoes STRATC for every byte but 30, whose notation "^^" reads back
  // as a caret.
  std::string low, high;
  for (int c = 0; c < 200; ++c)
    if (c != 30) low += static_cast<char>(c);
  for (int c = 200; c < 256; ++c) high += static_cast<char>(c);
  for (const std::string& text : {low, high}) {
    const ShortString in = S(text);
    ShortString caret, back;
    STRATC(&in, &caret);
    STRCTA(&caret, &back);
    EXPECT_EQ(back.Str(), text);
  }
  const ShortString thirty = S("\x1E");
  ShortString caret, back;
  STRATC(&thirty, &caret);
  STRCTA(&caret, &back);
  EXPECT_EQ(caret.Str(), "^^");
  EXPECT_EQ(back.Str(), "^");
}

namespace {

// A short string with guard bytes behind it, to see writes past its buffer.
struct GuardedString {
  ShortString s;
  unsigned char guard[16];
};

std::string FillOfEmpty() {
  GuardedString g;
  std::memset(&g, 0xAA, sizeof g);
  g.s.length = 0;
  STRRND(&g.s, 255);
  EXPECT_EQ(g.s.length, 0);
  return std::string(g.s.chars, 255);
}

}  // namespace

TEST(ShortStrings, FillPoolFillsOnlyTheFreeTailOfTheBuffer) {
  GuardedString g;
  std::memset(&g, 0xAA, sizeof g);
  g.s.Assign("abc");
  STRRND(&g.s, 10);
  EXPECT_EQ(g.s.Str(), "abc");
  EXPECT_EQ(static_cast<unsigned char>(g.s.chars[3]), 255);  // the pool's fixed first byte
  EXPECT_EQ(static_cast<unsigned char>(g.s.chars[10]), 0xAA);

  // Size at or below the length: nothing is written.
  std::memset(&g, 0xAA, sizeof g);
  g.s.Assign("abcdef");
  STRRND(&g.s, 4);
  STRRND(&g.s, 6);
  EXPECT_EQ(g.s.Str(), "abcdef");
  EXPECT_EQ(static_cast<unsigned char>(g.s.chars[6]), 0xAA);

  // Sizes beyond the buffer stop at its 255th place.
  std::memset(&g, 0xAA, sizeof g);
  g.s.Assign("abc");
  STRRND(&g.s, 100000);
  EXPECT_EQ(static_cast<unsigned char>(g.s.chars[3]), 255);
  for (unsigned char b : g.guard) EXPECT_EQ(b, 0xAA);
  STRRND(nullptr, 10);
}

TEST(ShortStrings, FillPoolMovesDownFourBytesAfterEveryCall) {
  const std::string first = FillOfEmpty();
  const std::string second = FillOfEmpty();
  const std::string third = FillOfEmpty();
  EXPECT_EQ(static_cast<unsigned char>(first[0]), 255);
  EXPECT_EQ(static_cast<unsigned char>(second[0]), 255);
  EXPECT_EQ(second.substr(1, 250), first.substr(5, 250));
  EXPECT_EQ(third.substr(1, 250), second.substr(5, 250));
  EXPECT_NE(first, second);
}
