#include "utility/sys_error_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <string>

namespace {

TEST(SysErrorText, FormatsHexDecimalAndName) {
  struct Case {
    std::int32_t code;
    const char* text;
  };
  const Case cases[] = {
      {0, "0x00000000 (0): ERROR_SUCCESS"},
      {2, "0x00000002 (2): ERROR_FILE_NOT_FOUND"},
      {170, "0x000000AA (170): ERROR_BUSY"},
      {1100, "0x0000044C (1100): ERROR_END_OF_MEDIA"},
      {4006, "0x00000FA6 (4006): ERROR_RPL_NOT_ALLOWED"},
      {6118, "0x000017E6 (6118): ERROR_NO_BROWSER_SERVERS_FOUND"},
      // Only 1063 is cut to 32 characters; other long names stay whole.
      {1063, "0x00000427 (1063): ERROR_FAILED_SERVICE_CONTROLLER_"},
      {1459, "0x000005B3 (1459): ERROR_REQUIRES_INTERACTIVE_WINDOWSTATION"},
      // Gaps in the list, beyond its ends, and negative codes.
      {35, "0x00000023 (35): UNKNOWN ERROR CODE"},
      {171, "0x000000AB (171): UNKNOWN ERROR CODE"},
      {4007, "0x00000FA7 (4007): UNKNOWN ERROR CODE"},
      {6117, "0x000017E5 (6117): UNKNOWN ERROR CODE"},
      {6119, "0x000017E7 (6119): UNKNOWN ERROR CODE"},
      {-1, "0xFFFFFFFF (-1): UNKNOWN ERROR CODE"},
      {-2, "0xFFFFFFFE (-2): UNKNOWN ERROR CODE"},
      {INT32_MIN, "0x80000000 (-2147483648): UNKNOWN ERROR CODE"},
      {INT32_MAX, "0x7FFFFFFF (2147483647): UNKNOWN ERROR CODE"},
  };
  for (const Case& c : cases) EXPECT_EQ(SysErrorText(c.code), c.text) << c.code;
}

// Every code of the published list gets its name, spelled as listed.
TEST(SysErrorText, KnowsEveryListedCode) {
  std::ifstream list(BRANNIK_TEST_DATA "/../../data/windows-error-names.tsv");
  ASSERT_TRUE(list) << "error-name list not found";
  std::string line;
  int listed = 0;
  while (std::getline(list, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::int32_t code = 0;
    std::string name;
    fields >> code >> name;
    if (code == 1063) name.resize(32);
    const std::string text = SysErrorText(code);
    const std::string suffix = "): " + name;
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), suffix.size())), suffix) << code;
    ++listed;
  }
  EXPECT_EQ(listed, 558);
}

}  // namespace
