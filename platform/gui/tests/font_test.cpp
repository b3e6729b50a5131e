#include <gtest/gtest.h>

#include <string>

#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/font.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/gdi_constants.h"

namespace {

TEST(Fonts, PointSizesBecomePixelSizesAt96Dpi) {
  struct Case {
    int points, height;
  };
  const Case cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {14, -19}, {24, -32}};
  for (const auto& c : cases) {
    cl::TFont font;
    font.SetSize(c.points);
    EXPECT_EQ(font.Height(), c.height) << c.points;
    EXPECT_EQ(font.Size(), c.points);
  }
}

TEST(Fonts, WindowsFaceNamesAreSubstituted) {
  struct Case {
    const char* windows;
    const char* family;
  };
  const Case cases[] = {{"MS Sans Serif", "Liberation Sans"}, {"Arial", "Liberation Sans"},
                        {"arial ce", "Liberation Sans"},      {"System", "Liberation Sans"},
                        {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
                        {"COURIER", "Liberation Mono"},       {"DejaVu Sans", "DejaVu Sans"}};
  for (const auto& c : cases) EXPECT_EQ(cl::SubstituteFaceName(c.windows), c.family) << c.windows;
}

TEST(Fonts, ChangeNotificationFiresOnEveryChange) {
  cl::TFont font;
  int changes = 0;
  font.OnChange = [&] { ++changes; };
  font.SetName("Arial");
  font.SetSize(14);
  font.SetColor(cl::clRed);
  font.SetStyle(cl::fsBold);
  font.SetColor(cl::clRed);  // unchanged
  EXPECT_EQ(changes, 4);
}

TEST(Fonts, RealMetricsFollowTheWindowsRules) {
  for (const char* face : {"Arial", "Times New Roman", "Courier New"}) {
    cl::TFont font;
    font.SetName(face);
    font.SetSize(12);
    const cl::TTextMetric m = font.Metrics();
    EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent) << face;
    EXPECT_GE(m.tmExternalLeading, 0) << face;
    EXPECT_EQ(m.tmOverhang, 0) << face;
    EXPECT_GE(m.tmHeight, 16) << face;
    EXPECT_LE(m.tmHeight, 24) << face;
  }
  cl::TFont mono;
  mono.SetName("Courier New");
  EXPECT_EQ(mono.Advances()['i'], mono.Advances()['W']);
}

TEST(Fonts, ExtentsAddUpCharacterByCharacter) {
  cl::TFont font;
  font.SetName("Times New Roman");
  font.SetSize(11);
  const std::string text = "Příliš žluťoučký kůň AVAWAY fi";
  int32_t sum = 0;
  for (const char c : text) sum += font.TextWidth(std::string(1, c));
  EXPECT_EQ(font.TextWidth(text), sum);
  EXPECT_EQ(font.TextWidth("AV") , font.TextWidth("A") + font.TextWidth("V"));
}

TEST(Fonts, DrawingAWordEqualsDrawingItsCharactersAtTheirAdvances) {
  cl::TBitmap whole, pieces;
  for (auto* b : {&whole, &pieces}) {
    b->SetSize(80, 24);
    b->Canvas().FillRect(cl::Rect(0, 0, 80, 24), cl::clWhite);
    b->Canvas().Font().SetName("Arial");
    b->Canvas().Font().SetSize(12);
    b->Canvas().Font().SetColor(cl::clBlack);
    b->Canvas().Brush().SetStyle(cl::TBrushStyle::bsClear);
  }
  const std::string word = "AVATar";
  whole.Canvas().TextOut(2, 2, word);
  int x = 2;
  for (const char c : word) {
    pieces.Canvas().TextOut(x, 2, std::string(1, c));
    x += pieces.Canvas().TextWidth(std::string(1, c));
  }
  EXPECT_EQ(whole.Canvas().PenPos().X, x);
  int differing = 0, inked = 0;
  for (int py = 0; py < 24; ++py)
    for (int px = 0; px < 80; ++px) {
      differing += whole.Canvas().GetPixel(px, py) != pieces.Canvas().GetPixel(px, py);
      inked += whole.Canvas().GetPixel(px, py) != cl::clWhite;
    }
  EXPECT_GT(inked, 30);
  EXPECT_EQ(differing, 0);
}

TEST(Fonts, FixedPitchEngineReplacesTheRealOneForAScope) {
  cl::TFont font;
  font.SetHeight(-12);
  const int32_t real = font.TextWidth("iiii");
  {
    cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
    EXPECT_EQ(font.TextWidth("iiii"), 24);
    EXPECT_EQ(font.TextWidth("WWWW"), 24);
    const cl::TTextMetric m = font.Metrics();
    EXPECT_EQ(m.tmAscent, 9);
    EXPECT_EQ(m.tmDescent, 3);
    EXPECT_EQ(m.tmHeight, 12);
  }
  EXPECT_EQ(font.TextWidth("iiii"), real);
}

}  // namespace
