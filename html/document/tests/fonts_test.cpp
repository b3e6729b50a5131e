#include <gtest/gtest.h>

#include "html/document/font_list.h"
#include "html/testing/layout_fixture.h"

namespace html {

namespace {

TEST(Fonts, RelativeSizesFollowTheDocumentDefault) {
  LayoutFixture f;
  TMyFont font;
  font.SetRelSize(f.root, 12);
  EXPECT_EQ(font.Size(), 12);
  f.root.FontSizeSlot = 9;
  font.SetRelSize(f.root, 8);
  EXPECT_EQ(font.Size(), 6);
  font.SetRelSize(f.root, 12);
  EXPECT_EQ(font.Size(), 9);
}

TEST(Fonts, AssignCopiesTheRelativeSizeAndThePreformattedFlag) {
  TMyFont source, copy;
  source.RelSize = 18;
  source.UsesPreFont = true;
  source.SetName("Courier New");
  copy.Assign(source);
  EXPECT_EQ(copy.RelSize, 18);
  EXPECT_TRUE(copy.UsesPreFont);
  EXPECT_EQ(copy.Name(), "Courier New");
}

TEST(Fonts, UpdateFontTakesTheDefaultsOnlyForWhatTheTextDidNotSet) {
  LayoutFixture f;
  TFontObj run(f.Font(), 0);
  run.Link->Url = "a.htm";
  run.UpdateFont(f.root);
  EXPECT_EQ(run.RunFont->Color(), cl::clBlue | cl::PaletteRelative);
  EXPECT_EQ(run.RunFont->Name(), "Arial");
  run.Link->Clear();
  run.UpdateFont(f.root);
  EXPECT_EQ(run.RunFont->Color(), cl::clBlack | cl::PaletteRelative);
  run.RunFont->UsesPreFont = true;
  run.UpdateFont(f.root);
  EXPECT_EQ(run.RunFont->Name(), "Courier New");
  // A colour and face of the text's own stay; size and charset still follow.
  run.RunFont->SetOwnColor(cl::clGreen | cl::PaletteRelative);
  run.RunFont->SetOwnName("Verdana");
  f.root.FontSizeSlot = 24;
  for (const char* url : {"", "a.htm"}) {
    run.Link->Url = url;
    run.UpdateFont(f.root);
    EXPECT_EQ(run.RunFont->Color(), cl::clGreen | cl::PaletteRelative) << url;
    EXPECT_EQ(run.RunFont->Name(), "Verdana") << url;
    EXPECT_EQ(run.RunFont->Size(), 24) << url;
  }
  TFontObj copy(run);
  copy.Link->Clear();
  copy.UpdateFont(f.root);
  EXPECT_EQ(copy.RunFont->Color(), cl::clGreen | cl::PaletteRelative);
  EXPECT_EQ(copy.RunFont->Name(), "Verdana");
}

TEST(Fonts, RunMetricsAreMeasuredAgainOnEveryFontChange) {
  LayoutFixture f;
  TFontObj run(f.Font(), 0);
  EXPECT_EQ(run.LineHeight, 16);
  EXPECT_EQ(run.FontHeight, 16);
  EXPECT_EQ(run.Descent, 4);
  run.RunFont->SetSize(24);
  EXPECT_EQ(run.LineHeight, 32);
  EXPECT_EQ(run.Descent, 8);
  TFontObj copy(run);
  run.RunFont->SetSize(12);
  EXPECT_EQ(copy.LineHeight, 32);
  EXPECT_EQ(run.LineHeight, 16);
}

TEST(Fonts, RunLookupsAnswerAtRunBoundaries) {
  LayoutFixture f;
  TFontList list;
  for (const int32_t start : {0, 5, 9}) list.Add(std::make_unique<TFontObj>(f.Font(), start));
  struct Case {
    int32_t pos;
    int run;
    int32_t count;  // GetFontCountAt(pos, 20)
  };
  const Case cases[] = {{0, 0, 5}, {4, 0, 1}, {5, 1, 4}, {8, 1, 1}, {9, 2, 11}, {15, 2, 5}};
  for (const auto& c : cases) {
    int index = -1;
    EXPECT_EQ(list.GetFontObjAt(c.pos, index), list[c.run]) << c.pos;
    EXPECT_EQ(index, c.run) << c.pos;
    int32_t overhang = -1;
    EXPECT_EQ(list.GetFontAt(c.pos, overhang), list[c.run]->RunFont.get()) << c.pos;
    EXPECT_EQ(overhang, 0);
    EXPECT_EQ(list.GetFontCountAt(c.pos, 20), c.count) << c.pos;
  }
  TFontList copy(list);
  ASSERT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy[2]->StartPos, 9);
  EXPECT_NE(copy[2]->RunFont.get(), list[2]->RunFont.get());
}

}  // namespace

}  // namespace html
