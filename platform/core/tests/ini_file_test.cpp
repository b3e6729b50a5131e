#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/core/exception.h"
#include "platform/core/ini_file.h"
#include "platform/core/test_support/temp_directory.h"

using cl::testing::TempDirectory;

TEST(IniFile, IntegersReadAsTheClassLibraryReadsThem) {
  const TempDirectory dir;
  struct Case {
    const char* value;
    std::int32_t expected;  // 77: the default
  } const cases[] = {
      {"12", 12},
      {"-2147483643", -2147483643},
      {"+5", 5},
      {"$FF0000", 0xFF0000},
      {"0x80000005", static_cast<std::int32_t>(0x80000005u)},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"2147483648", 77},
      {"$100000000", 77},
      {"12abc", 77},
      {"", 77},
      {"-", 77},
      {"$", 77},
      {"1 2", 77},
  };
  cl::TIniFile ini(dir / "win.ini");
  for (const auto& c : cases) {
    ini.WriteString("S", "k", c.value);
    EXPECT_EQ(ini.ReadInteger("S", "k", 77), c.expected) << c.value;
  }
  EXPECT_EQ(ini.ReadInteger("S", "absent", 77), 77);
}

TEST(IniFile, WrittenIntegersReadBack) {
  const TempDirectory dir;
  cl::TIniFile ini(dir / "win.ini");
  for (const std::int32_t value : {0, 10, -1, std::numeric_limits<std::int32_t>::min(),
                                   static_cast<std::int32_t>(0x80000008u)}) {
    ini.WriteInteger("Brannik", "n", value);
    EXPECT_EQ(ini.ReadInteger("Brannik", "n", 3), value);
  }
  cl::TIniFile nowhere(dir / "missing/x.ini");
  EXPECT_THROW(nowhere.WriteInteger("S", "k", 1), cl::Exception);
}
