#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

TEST(BranglyLibrary, ExportsExactlyItsCalls) {
  std::set<std::string> exported;
  FILE* pipe = popen(("nm -D --defined-only --format=posix '" LIBRARY_PATH "'"), "r");
  ASSERT_NE(pipe, nullptr);
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::istringstream fields(line);
    std::string name, kind;
    fields >> name >> kind;
    if (kind != "A") exported.insert(name);
  }
  pclose(pipe);
  const std::set<std::string> calls{"GLYPH"};
  EXPECT_EQ(exported, calls);
}

}  // namespace
