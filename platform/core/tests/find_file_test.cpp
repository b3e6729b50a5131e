#include "platform/core/find_file.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "platform/core/file_system.h"
#include "platform/core/last_error.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

using namespace win;
using cl::testing::TempDirectory;

TEST(Wildcards, FollowWindowsRules) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"*", "anything.txt", true},   {"*.*", "noext", true},       {"*.*", ".profile", true},
      {"*.txt", "A.TXT", true},      {"*.txt", "a.txt.bak", false}, {"README.*", "readme", true},
      {"README.*", "readme.md", true}, {"README.*", "readmex", false}, {"a?c", "abc", true},
      {"a?c", "ac", false},          {"*.", "noext", true},         {"*.", "has.ext", false},
      {"name.", "NAME", true},       {"a*b*c", "aXXbYYc", true},    {"a*b*c", "aXXbYY", false},
      {"\xC8*", "\xE8"  "ap", true},  // Č* matches čap
      {"*.htm", "x.html", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

std::set<std::string> Names(const std::vector<FindData>& found) {
  std::set<std::string> names;
  for (const auto& f : found) names.insert(f.name);
  return names;
}

TEST(FindFiles, ListsMatchingEntriesWithAttributes) {
  TempDirectory dir;
  dir.Write("a.txt", "12345");
  dir.Write("B.TXT", "1");
  dir.Write("c.doc", "");
  dir.Write(".hidden", "");
  std::filesystem::create_directory(dir.Path() / "sub");
  EXPECT_EQ(Names(FindFiles(dir / "*.TXT")), (std::set<std::string>{"B.TXT", "a.txt"}));
  const auto all = FindFiles(dir / "*.*");
  EXPECT_EQ(Names(all), (std::set<std::string>{".", "..", ".hidden", "B.TXT", "a.txt", "c.doc", "sub"}));
  for (const auto& f : all) {
    if (f.name == "sub") {
      EXPECT_EQ(f.attributes, FILE_ATTRIBUTE_DIRECTORY);
    } else if (f.name == ".hidden") {
      EXPECT_EQ(f.attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
    } else if (f.name == "a.txt") {
      EXPECT_EQ(f.size, 5);
    }
  }
}

TEST(FindFiles, NameWithoutWildcardFindsTheOneEntryItNames) {
  TempDirectory dir;
  dir.Write("Mixed.Case", "x");
  const auto found = FindFiles(dir / "MIXED.CASE");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "Mixed.Case");
  EXPECT_EQ(found[0].attributes, FILE_ATTRIBUTE_ARCHIVE);
}

TEST(FindFiles, NothingFoundGivesTwoAndMissingDirectoryThree) {
  TempDirectory dir;
  EXPECT_TRUE(FindFiles(dir / "*.none").empty());
  EXPECT_EQ(GetLastError(), 2u);
  EXPECT_TRUE(FindFiles(dir / "missing.txt").empty());
  EXPECT_EQ(GetLastError(), 2u);
  EXPECT_TRUE(FindFiles(dir / "nodir/*.*").empty());
  EXPECT_EQ(GetLastError(), 3u);
  EXPECT_TRUE(FindFiles(dir / "nodir/x").empty());
  EXPECT_EQ(GetLastError(), 3u);
}

TEST(FindFiles, SymbolicLinksAreMarkedSoTreeWalksNeedNotFollowThem) {
  TempDirectory dir;
  std::filesystem::create_directory(dir.Path() / "real");
  std::filesystem::create_directory_symlink(dir.Path() / "real", dir.Path() / "link");
  for (const auto& f : FindFiles(dir / "l*"))
    EXPECT_EQ(f.attributes, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace
