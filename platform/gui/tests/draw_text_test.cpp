#include "platform/gui/draw_text.h"

#include <gtest/gtest.h>

#include "platform/gui/bitmap.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/test_support/gui_test.h"

namespace {

TEST(DrawText, CalcRectMeasuresTheLinesAsTheyBreak) {
  cl::testing::EnsureGuiTestApplication();
  cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
  cl::TBitmap bitmap;
  bitmap.SetSize(10, 10);
  cl::TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetHeight(-8);  // every character 4 wide, lines 8 high
  struct Case {
    const char* text;
    int width;
    uint32_t format;
    cl::TRect expected;
  } const cases[] = {
      {"aaa bbb ccc", 30, cl::DT_WORDBREAK, {0, 0, 28, 16}},
      {"aaa   bbb", 16, cl::DT_WORDBREAK, {0, 0, 12, 16}},
      {"aaaaaaaaaa", 16, cl::DT_WORDBREAK, {0, 0, 16, 24}},
      {"aaa bbb ccc", 30, 0, {0, 0, 44, 8}},
      {"a\r\nbb\nc\rd", 100, 0, {0, 0, 8, 32}},
      {"a\r\nbb\nc\rd", 100, cl::DT_WORDBREAK, {0, 0, 8, 32}},
      {"&&a&b", 100, 0, {0, 0, 12, 8}},
      {"&&a&b", 100, cl::DT_NOPREFIX, {0, 0, 20, 8}},
      {"", 100, cl::DT_WORDBREAK, {0, 0, 0, 8}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cl::DrawText(canvas, c.text, cl::TRect{0, 0, c.width, 0}, c.format | cl::DT_CALCRECT), c.expected)
        << c.text << " in " << c.width;
  }
}

}  // namespace
