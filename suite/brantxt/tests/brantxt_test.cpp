// The text library as its callers use it: linked, STBITEM by number.
#include "suite/brantxt/brantxt.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "platform/core/test_support/exported_symbols.h"

namespace {

std::string Text(std::uint16_t number) {
  ShortString s;
  s.Assign("garbage that must go");
  STBITEM(number, &s);
  return s.Str();
}

struct Range {
  std::uint16_t first, last;
  const char* role;
};

// The numbers that the utility and dialog libraries ask for.
constexpr Range requested[] = {
    {2, 12, "message-box buttons"},
    {41, 44, "message-box captions"},
    {45, 49, "country and area choosers"},
    {128, 141, "weekday marks"},
    {20482, 20543, "bit-set editor and sending confirmations"},
    {20545, 20604, "phone-book editor and recipient chooser"},
    {20608, 20634, "recipient chooser and page-layout editor"},
    {0x4000, 0x4005, "phone-book columns"},
    {0x4100, 0x4105, "station columns"},
    {0x4200, 0x4202, "selection columns"},
    {30000, 30001, "stored login passwords"},
};

TEST(Brantxt, EveryRequestedNumberHasAText) {
  for (const Range& r : requested)
    for (unsigned n = r.first; n <= r.last; ++n)
      EXPECT_FALSE(Text(static_cast<std::uint16_t>(n)).empty()) << r.role << ": text " << n;
}

// Callers that enumerate stop at the first empty text, so the ends matter.
TEST(Brantxt, NumbersWithoutTextGiveTheEmptyText) {
  for (const unsigned n : {0u, 1u, 13u, 127u, 142u, 20481u, 20544u, 20635u, 0x4006u, 0x4010u,
                           0x4103u + 0x100u, 0x4203u, 30002u, 65535u})
    EXPECT_EQ(Text(static_cast<std::uint16_t>(n)), "") << n;
}

TEST(Brantxt, WeekdayMarksAreTwoCharactersInCodePage1250) {
  for (unsigned n = 128; n <= 141; ++n) EXPECT_EQ(Text(static_cast<std::uint16_t>(n)).size(), 2u) << n;
  EXPECT_EQ(Text(128), "Po");
  EXPECT_EQ(Text(129), "\xDAt");  // Út
  EXPECT_EQ(Text(131), "\xC8t");  // Čt
  EXPECT_EQ(Text(132), "P\xE1");  // Pá
  EXPECT_EQ(Text(134), "Ne");
  EXPECT_EQ(Text(136), "\xFAt");  // út
}

TEST(Brantxt, ColumnHeaderTextsGiveWidthAndCaption) {
  for (const unsigned base : {0x4000u, 0x4100u, 0x4200u}) {
    for (unsigned n = base; !Text(static_cast<std::uint16_t>(n)).empty(); ++n) {
      const std::string text = Text(static_cast<std::uint16_t>(n));
      const auto bar = text.find('|');
      ASSERT_NE(bar, std::string::npos) << n;
      EXPECT_GT(std::stoi(text.substr(0, bar)), 0) << n;
      const std::string caption = text.substr(bar + 1);
      EXPECT_FALSE(caption.empty()) << n;
      EXPECT_LE(caption.size(), 31u) << n;
    }
  }
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(Brantxt, FormatPatternsTakeExactlyTheirOneArgument) {
  for (unsigned n = 20486; n <= 20543; ++n) {
    const std::string text = Text(static_cast<std::uint16_t>(n));
    const int expected = n == 20537 ? 0 : 1;
    EXPECT_EQ(Count(text, "%d"), expected) << n;
    EXPECT_EQ(Count(text, "%"), expected) << n;
  }
  EXPECT_EQ(Count(Text(20485), "%"), 0);
  EXPECT_EQ(Count(Text(20559), "%s"), 1);
  EXPECT_EQ(Count(Text(20559), "%"), 1);
}

// Unscrambling as the login check does: character k is the upper-cased
// character L + 1 - k lowered by k.
std::string Unscramble(const std::string& e) {
  std::string plain;
  const std::size_t length = e.size();
  for (std::size_t k = 1; k <= length; ++k) {
    unsigned char c = static_cast<unsigned char>(e[length - k]);
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
    plain += static_cast<char>(static_cast<unsigned char>(c - k));
  }
  return plain;
}

TEST(Brantxt, StoredLoginPasswordsUnscrambleToTheirPlainForms) {
  EXPECT_EQ(Unscramble(Text(30000)), "BRANNIK");
  EXPECT_EQ(Unscramble(Text(30001)), "SPRAVCE");
  EXPECT_EQ(Text(30002), "");
}

// A write through the null buffer would end the child with a signal (or, under
// the sanitizer, an error exit) before it reaches its own clean exit.
TEST(BrantxtDeathTest, ANullBufferIsIgnored) {
  EXPECT_EXIT(
      {
        STBITEM(4, nullptr);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(Brantxt, LibraryExportsExactlyItsCall) {
  const std::set<std::string> exported = cl::testing::ExportedSymbols(LIBRARY_PATH);
  EXPECT_EQ(exported, std::set<std::string>{"STBITEM"});
}

}  // namespace
