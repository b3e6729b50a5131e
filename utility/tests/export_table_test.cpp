// The dynamic symbol table of libbranutl.so holds exactly the routines that are
// implemented (the lists under exports/, one per family), all of them names from
// the published export list, and nothing else: no C++ symbol leaks.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "platform/core/test_support/exported_symbols.h"

namespace {

std::set<std::string> ReadNames(const std::filesystem::path& file) {
  std::set<std::string> names;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string first, second;
    fields >> first >> second;
    names.insert(second.empty() ? first : second);  // "ordinal name" or "name"
  }
  return names;
}

std::set<std::string> ImplementedNames() {
  std::set<std::string> names;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(BRANNIK_TEST_DATA) + "/../exports")) {
    if (entry.path().extension() != ".txt") continue;
    const auto family = ReadNames(entry.path());
    names.insert(family.begin(), family.end());
  }
  return names;
}


}  // namespace

TEST(ExportTable, ImplementedRoutinesAreNamesOfThePublishedList) {
  const auto published = ReadNames(BRANUTL_EXPORT_LIST);
  ASSERT_EQ(published.size(), 280u);
  for (const auto& name : ImplementedNames())
    EXPECT_TRUE(published.count(name)) << name << " is not a published export";
}

TEST(ExportTable, LibraryExportsExactlyTheImplementedRoutines) {
  const auto exported = cl::testing::ExportedSymbols(BRANUTL_PATH);
  const auto implemented = ImplementedNames();
  for (const auto& name : exported)
    EXPECT_TRUE(implemented.count(name)) << "unexpected export " << name;
  for (const auto& name : implemented)
    EXPECT_TRUE(exported.count(name)) << "missing export " << name;
}

TEST(ExportTable, EveryPublishedRoutineIsImplemented) {
  const auto implemented = ImplementedNames();
  for (const auto& name : ReadNames(BRANUTL_EXPORT_LIST))
    EXPECT_TRUE(implemented.count(name)) << name << " is published but not implemented";
  EXPECT_EQ(implemented, ReadNames(BRANUTL_EXPORT_LIST));
}
