#include <gtest/gtest.h>

#include <string>

#include "platform/core/scheduler.h"
#include "utility/fill_pool.h"

namespace {

std::string Fill() {
  ShortString s{};
  utl::STRRND(s, 255);
  return std::string(s.chars, 255);
}

}  // namespace

TEST(FillPool, TheLastDoubleWordIsMixedWithTheTickCounter) {
  win::ManualScheduler clock(0x00C0FFEE);
  win::SetScheduler(&clock);
  const std::string before = Fill();
  const std::string after = Fill();
  win::SetScheduler(nullptr);
  // Places 252 to 254 of the pool (the fourth is not visible in a short string).
  const unsigned char tick[3] = {0xEE, 0xFF, 0xC0};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(static_cast<unsigned char>(after[252 + i]),
              static_cast<unsigned char>(before[252 + i]) ^ tick[i])
        << i;
}
