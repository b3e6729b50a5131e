#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/ansi_case.h"
#include "platform/gui/screen_facts.h"

TEST(ScreenFacts, ThereIsAtLeastOneMonitorWithAnArea) {
  const auto monitors = cl::MonitorRects();
  ASSERT_FALSE(monitors.empty());
  for (const auto& rect : monitors) EXPECT_FALSE(rect.IsEmpty());
}

TEST(ScreenFacts, FontNamesAreSortedWithoutCaseAndHoldTheInstalledFaces) {
  const auto names = cl::ScreenFontNames();
  ASSERT_FALSE(names.empty());
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return cl::AnsiCompareText(a, b) < 0;
  }));
  EXPECT_NE(std::find(names.begin(), names.end(), "Liberation Sans"), names.end());
}

TEST(ScreenFacts, InstalledScalableFacesHaveNoFixedHeights) {
  for (const char* face : {"Liberation Sans", "liberation serif", "MS Sans Serif", "Courier New"}) {
    const auto heights = cl::FontBitmapHeights(face);
    ASSERT_TRUE(heights) << face;
    EXPECT_TRUE(heights->empty()) << face;
  }
  EXPECT_FALSE(cl::FontBitmapHeights("No Such Face Anywhere"));
}
