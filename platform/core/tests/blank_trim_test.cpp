#include "platform/core/blank_trim.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using namespace std::string_view_literals;

TEST(BlankTrim, TrimDropsControlsAndSpacesAtBothEndsOnly) {
  struct Case {
    std::string_view text, trimmed;
  } const cases[] = {
      {"", ""},
      {" \t\r\n", ""},
      {"  a b  ", "a b"},
      {"\t\x01x\x1F\r\n", "x"},
      {"a\tb", "a\tb"},
      // Bytes above the space are text, code page 1250 letters and 0x7F too.
      {" \x8A\x7F ", "\x8A\x7F"},
      {"\0a\0"sv, "a"},
  };
  for (const Case& c : cases) EXPECT_EQ(cl::Trim(c.text), c.trimmed) << c.text;
}

TEST(BlankTrim, TrimOfDropsOnlyTheCharactersGiven) {
  struct Case {
    std::string_view text, blanks, trimmed;
  } const cases[] = {
      {"  a  ", " ", "a"},
      {"\t a \t", " ", "\t a \t"},
      {" \ta\t ", " \t", "a"},
      {"a\r", " \t", "a\r"},
      {"a\r", " \t\r", "a"},
      {"   ", " ", ""},
      {"", " ", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(cl::TrimOf(c.text, c.blanks), c.trimmed) << c.text;
}

TEST(BlankTrim, TheResultIsAViewIntoTheText) {
  const std::string_view text = "  word  ";
  const std::string_view trimmed = cl::Trim(text);
  EXPECT_EQ(trimmed.data(), text.data() + 2);
  EXPECT_EQ(cl::TrimOf(text, " ").data(), text.data() + 2);
}

}  // namespace
