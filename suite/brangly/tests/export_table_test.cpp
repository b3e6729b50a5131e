#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/core/test_support/exported_symbols.h"

namespace {

TEST(BranglyLibrary, ExportsExactlyItsCalls) {
  const std::set<std::string> exported = cl::testing::ExportedSymbols(LIBRARY_PATH);
  const std::set<std::string> calls{"GLYPH"};
  EXPECT_EQ(exported, calls);
}

}  // namespace
