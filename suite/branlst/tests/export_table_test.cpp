#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/core/test_support/exported_symbols.h"

namespace {

TEST(BranlstLibrary, ExportsExactlyItsCalls) {
  const std::set<std::string> exported = cl::testing::ExportedSymbols(LIBRARY_PATH);
  const std::set<std::string> calls{"SIDCCLOSEFILES", "SIDCCHECKBKLSTFILE", "SIDCGETBKLSTCOUNT", "SIDCGETPOINTBYIDX", "SIDCGETPOINTBYSID", "SIDCHASACCESS"};
  EXPECT_EQ(exported, calls);
}

}  // namespace
