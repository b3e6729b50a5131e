// The texts the library asks the suite's text library for are all there.
#include "dialogs/suite_texts.h"

#include <gtest/gtest.h>

#include "dialogs/header_manager.h"
#include "file_bytes.h"

namespace {

TEST(SuiteTexts, EveryNumberTheDialogsUseHasAText) {
  std::vector<int> numbers;
  for (int n = 2; n <= 12; ++n) numbers.push_back(n);     // button captions
  for (int n = 41; n <= 44; ++n) numbers.push_back(n);    // message captions
  for (int n = 128; n <= 141; ++n) numbers.push_back(n);  // weekday marks
  for (int n = 20482; n <= 20543; ++n) numbers.push_back(n);
  for (int n = 20545; n <= 20605; ++n) numbers.push_back(n);
  for (int n = 20608; n <= 20634; ++n) numbers.push_back(n);
  for (const int n : numbers) EXPECT_FALSE(dlg::SuiteText(static_cast<std::uint16_t>(n)).empty()) << n;
}

TEST(SuiteTexts, ColumnHeadersGiveTheirWidths) {
  struct Case {
    std::uint16_t base;
    std::size_t sections;
  };
  const Case cases[] = {{0x4000, 6}, {0x4100, 6}, {0x4200, 3}};
  for (const auto& c : cases) {
    cl::testing::TempDirectory dir;
    const dlg::tHeaderManager manager(dir / "t.hdr", c.base);
    const auto row = manager.HeaderSections(0);
    ASSERT_EQ(row.size(), c.sections) << c.base;
    for (std::size_t s = 0; s < row.size(); ++s) {
      const auto& section = row[s];
      const std::string text = dlg::SuiteText(static_cast<std::uint16_t>(c.base + s));
      ASSERT_NE(text.find('|'), std::string::npos) << text;
      EXPECT_EQ(section.width, std::stoi(text.substr(0, text.find('|')))) << text;
      EXPECT_EQ(section.caption, text.substr(text.find('|') + 1));
      EXPECT_GE(section.width, 1);
      EXPECT_LE(section.width, dlg::tHeaderManager::MaxWidth);
    }
  }
}

}  // namespace
