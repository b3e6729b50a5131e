// libbrandlg.so exports exactly the routines of its built list, all of them
// published names, and binds the suite's libraries by name.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "platform/core/test_support/exported_symbols.h"

namespace {

// "ordinal<TAB>name" lines; comments and blank lines skipped.
std::map<std::string, std::string> ReadList(const std::string& file) {
  std::map<std::string, std::string> ordinals;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string ordinal, name;
    fields >> ordinal >> name;
    ordinals[name] = ordinal;
  }
  return ordinals;
}

std::set<std::string> CommandLines(const std::string& command) {
  std::set<std::string> lines;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return lines;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    lines.insert(text);
  }
  pclose(pipe);
  return lines;
}


}  // namespace

TEST(BrandlgExportTable, BuiltRoutinesArePublishedWithTheirOrdinals) {
  const auto published = ReadList(BRANDLG_PUBLISHED_LIST);
  ASSERT_EQ(published.size(), 28u);
  for (const auto& [name, ordinal] : ReadList(BRANDLG_EXPORT_LIST)) {
    ASSERT_TRUE(published.count(name)) << name << " is not a published export";
    EXPECT_EQ(published.at(name), ordinal) << name;
  }
}

TEST(BrandlgExportTable, LibraryExportsExactlyTheBuiltList) {
  std::set<std::string> built;
  for (const auto& entry : ReadList(BRANDLG_EXPORT_LIST)) built.insert(entry.first);
  const auto exported = cl::testing::ExportedSymbols(BRANDLG_PATH);
  EXPECT_EQ(exported, built);
}

TEST(BrandlgExportTable, SuiteLibrariesAreBoundByName) {
  const auto dynamic = CommandLines("readelf -d '" + std::string(BRANDLG_PATH) + "'");
  std::string needed;
  for (const auto& line : dynamic)
    if (line.find("(NEEDED)") != std::string::npos) needed += line + "\n";
  for (const char* library : {"libbranutl.so", "libbrantxt.so", "libbrancfg.so", "libbranlst.so", "libbrangly.so"})
    EXPECT_NE(needed.find(std::string("[") + library + "]"), std::string::npos) << library << "\n" << needed;
}
