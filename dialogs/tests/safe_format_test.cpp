#include "dialogs/safe_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatCount, FormatsOneCountAndShowsAnyOtherPatternAsItStands) {
  struct Case {
    const char* pattern;
    std::int32_t count;
    std::string expected;
  } const cases[] = {
      {"%d dopisy", 4, "4 dopisy"},
      {"Bez \xE8\xEDsla.", 5, "Bez \xE8\xEDsla."},
      {"%5d|", 42, "   42|"},
      {"%-5d|", 42, "42   |"},
      {"%05d", -42, "-0042"},
      {"%+d", 3, "+3"},
      {"% d", 3, " 3"},
      {"%.3d", 7, "007"},
      {"%i", -1, "-1"},
      {"%s kus\xF9", 12, "12 kus\xF9"},
      {"%.1s", 123, "1"},
      {"%4s|", 5, "   5|"},
      {"100%% za %d", 2, "100% za 2"},
      {"%d", -2147483647 - 1, "-2147483648"},
      // Conversions we do not take, and a second one: shown as they are.
      {"%d a %d", 1, "%d a %d"},
      {"%s%s%s%n", 1, "%s%s%s%n"},
      {"%x", 255, "%x"},
      {"%*d", 5, "%*d"},
      {"%p", 1, "%p"},
      {"konec %", 1, "konec %"},
      {"%%%", 1, "%%%"},
  };
  for (const Case& c : cases) EXPECT_EQ(dlg::FormatCount(c.pattern, c.count), c.expected) << c.pattern;
}

TEST(FormatCount, AHugeWidthIsCutAtAShortString) {
  const std::string text = dlg::FormatCount("%999999999999d", 1);
  EXPECT_EQ(text.size(), 255u);
  EXPECT_EQ(text.back(), ' ');
  EXPECT_EQ(dlg::FormatCount("%-300dX", 7).size(), 255u);
}

}  // namespace
