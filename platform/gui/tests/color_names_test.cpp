#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/gui/color_names.h"

TEST(ColorNames, NamedColoursAndHexTextsConvertBothWays) {
  struct Case {
    cl::TColor color;
    const char* text;
  } const cases[] = {
      {cl::clBlack, "clBlack"},         {cl::clBlue, "clBlue"},       {cl::clWhite, "clWhite"},
      {cl::clWindow, "clWindow"},       {cl::clWindowText, "clWindowText"}, {cl::clInfoBk, "clInfoBk"},
      {0x00C0FFEE, "$00C0FFEE"},        {0x00000001, "$00000001"},     {cl::clNone, "$1FFFFFFF"},
      {cl::SystemColor(40), "$80000028"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cl::ColorToString(c.color), c.text);
    EXPECT_EQ(cl::StringToColor(c.text), c.color) << c.text;
  }
}

TEST(ColorNames, TextsReadInAnyCaseOrAsNumbers) {
  EXPECT_EQ(cl::StringToColor("CLRED"), cl::clRed);
  EXPECT_EQ(cl::StringToColor("clwindow"), cl::clWindow);
  EXPECT_EQ(cl::StringToColor("255"), 255);
  EXPECT_EQ(cl::StringToColor("$FF"), 255);
  EXPECT_FALSE(cl::StringToColor("red"));
  EXPECT_FALSE(cl::StringToColor(""));
}

TEST(ColorNames, TheListHoldsTheSixteenFixedColoursFirstAndEachNameOnce) {
  const auto& names = cl::ColorNames();
  std::set<std::string> seen;
  int fixed = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_TRUE(seen.insert(std::string(names[i].Name)).second) << names[i].Name;
    if (names[i].Value >= 0) {
      EXPECT_EQ(static_cast<int>(i), fixed) << "fixed colours come first";
      ++fixed;
    }
  }
  EXPECT_EQ(fixed, 16);
}
