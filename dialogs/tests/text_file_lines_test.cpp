// The lines of the library's text files (phone books, dual lists): each of
// CR, LF and CR LF ends a line, also where a read block ends between them.
#include "dialogs/text_file_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dual_list_file.h"
#include "file_bytes.h"

namespace {

constexpr std::size_t Block = 64 * 1024;  // the reader's block

std::vector<std::string> LinesOf(const std::string& content) {
  const cl::testing::TempDirectory dir;
  WriteBytes((dir / "t.txt"), std::vector<char>(content.begin(), content.end()));
  std::vector<std::string> lines;
  dlg::ForEachTextLine((dir / "t.txt"), [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

using Lines = std::vector<std::string>;

TEST(TextFileLines, CrLfAndCrLfEachEndALine) {
  struct Case {
    const char* name;
    std::string content;
    Lines lines;
  } const cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"CR", "a\rb\r", {"a", "b"}},
      {"mixed, no end on the last", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"empty lines", "\r\r\n\n", {"", "", ""}},
      {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
      {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
      {"nothing", "", {}},
      {"a long line is cut", std::string(300, 'x') + "\ry", {std::string(255, 'x'), "y"}},
      {"cut at 255 exactly", std::string(255, 'x') + "\r\n", {std::string(255, 'x')}},
  };
  for (const Case& c : cases) EXPECT_EQ(LinesOf(c.content), c.lines) << c.name;
}

// Line ends are looked for several bytes at a time: a line end at every
// place within and across those steps, among bytes that differ from CR or LF
// by one bit, ends its line there and nowhere else.
TEST(TextFileLines, ALineEndIsFoundAtEveryPlaceAmongNearBytes) {
  const std::string near = std::string("\x0B\x0C\x0E\x8A\x8D\x09\x1A\x2D", 8) + std::string(1, '\0');
  const char* const ends[] = {"\n", "\r", "\r\n"};  // no CR before an LF of the next line
  std::string content;
  Lines lines;
  for (std::size_t length = 0; length <= 20; ++length) {
    for (const char* end : ends) {
      std::string line;
      for (std::size_t i = 0; i < length; ++i) line += near[(length + i) % near.size()];
      content += line + end;
      lines.push_back(line);
    }
  }
  content += "last";
  lines.push_back("last");
  EXPECT_EQ(LinesOf(content), lines);
}

TEST(TextFileLines, ALineEndSplitByTheReadBlockIsOneLineEnd) {
  const std::string head(Block - 1, 'h');  // cut to 255 when read
  const std::string cut(255, 'h');
  struct Case {
    const char* name;
    std::string content;
    Lines lines;
  } const cases[] = {
      {"CR | LF", head + "\r\nb", {cut, "b"}},
      {"CR | text", head + "\rb", {cut, "b"}},
      {"CR | CR", head + "\r\rb", {cut, "", "b"}},
      {"text | CR LF", head + "x\r\nb", {cut, "b"}},
      {"short line, CR | LF", std::string(Block - 2, '\n') + "a\r\nb",
       [] {
         Lines lines(Block - 2, "");
         lines.push_back("a");
         lines.push_back("b");
         return lines;
       }()},
  };
  for (const Case& c : cases) EXPECT_EQ(LinesOf(c.content), c.lines) << c.name;
}

TEST(TextFileLines, ADualListWithLoneCrEndsGivesEveryPair) {
  const cl::testing::TempDirectory dir;
  const std::string content = "Praha # 2\rBrno # 5\rOstrava # 69";
  WriteBytes((dir / "cr.lst"), std::vector<char>(content.begin(), content.end()));
  const dlg::DualListFile file = dlg::ReadDualListFile((dir / "cr.lst"));
  ASSERT_EQ(file.pairs.size(), 3u);
  EXPECT_EQ(file.pairs[1].key, "Brno");
  EXPECT_EQ(file.pairs[2].value, "69");
  EXPECT_TRUE(file.complete);
}

}  // namespace
