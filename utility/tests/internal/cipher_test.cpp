#include <gtest/gtest.h>

#include <string>

#include "utility/cipher.h"

TEST(LoginPasswordCheck, SearchEndsAtTheLastTextNumber) {
  int fetched = 0;
  const auto everyNumberHasAText = [&](std::uint16_t number) {
    ++fetched;
    EXPECT_GE(number, 65530);
    return std::string("X");
  };
  EXPECT_FALSE(utl::CHECKLOGINPASSWORD("secret", 65530, everyNumberHasAText));
  EXPECT_EQ(fetched, 6);
}

TEST(LoginPasswordCheck, SearchStopsAtTheFirstEmptyText) {
  const std::string stored = utl::ENCRYPTLOGINPASSWORD("late");
  const auto text = [&](std::uint16_t number) {
    if (number == 10) return std::string();
    return number == 11 ? stored : std::string("X");
  };
  EXPECT_FALSE(utl::CHECKLOGINPASSWORD("late", 5, text));
  EXPECT_TRUE(utl::CHECKLOGINPASSWORD("LATE", 11, text));
}

TEST(SessionKey, BothWordsTakeTheClockAndTheLowTickWord) {
  std::uint16_t words[2] = {0x1234, 0xABCD};
  utl::GETSESSIONKEY(words, {2026, 12, 10, 9, 14, 33, 0x00055AA5});
  EXPECT_EQ(words[0], ((((0x12 ^ 9 ^ 12) << 8) | (0x34 ^ 10)) ^ 0x5AA5));
  EXPECT_EQ(words[1], ((((0xAB ^ 33) << 8) | (0xCD ^ 14)) ^ 2026 ^ 0x5AA5));
}
