#include <gtest/gtest.h>

#include <set>

#include "html/document/font_list.h"
#include "html/document/text_section.h"
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
  run.ChangeFont([](TMyFont& font) { font.UsesPreFont = true; });
  run.UpdateFont(f.root);
  EXPECT_EQ(run.RunFont->Name(), "Courier New");
  // A colour and face of the text's own stay; size and charset still follow.
  run.ChangeFont([](TMyFont& font) {
    font.SetOwnColor(cl::clGreen | cl::PaletteRelative);
    font.SetOwnName("Verdana");
  });
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
  run.ChangeFont([](TMyFont& font) { font.SetSize(24); });
  EXPECT_EQ(run.LineHeight, 32);
  EXPECT_EQ(run.Descent, 8);
  TFontObj copy(run);
  run.ChangeFont([](TMyFont& font) { font.SetSize(12); });
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
  // A copied run is a run of its own sharing the font.
  EXPECT_NE(copy[2], list[2]);
  EXPECT_EQ(copy[2]->RunFont, list[2]->RunFont);
}

// Paragraphs alternating between a few fonts, as a parser builds them.
struct SharedFontsFixture : ::testing::Test {
  void SetUp() override {
    auto bold = f.Font();
    bold->SetStyle(cl::fsBold);
    for (int i = 0; i < 50; ++i) {
      auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
      section->AppendText("plain ");
      section->ChangeFont(f.root, *bold);
      section->AppendText("bold ");
      section->ChangeFont(f.root, *f.Font(), cl::fsItalic);
      section->AppendText("italic ");
      section->ChangeFont(f.root, *f.Font());
      section->AppendText("plain");
      f.root.AddSection(std::move(section));
    }
  }
  std::set<const TMyFont*> Distinct() const {
    std::set<const TMyFont*> fonts;
    for (const auto& s : f.root) {
      const auto& text = static_cast<const TSection&>(*s);
      fonts.insert(text.BaseFont.get());
      for (const auto& run : text.Fonts) fonts.insert(run->RunFont.get());
    }
    return fonts;
  }
  LayoutFixture f;
};

TEST_F(SharedFontsFixture, RunsAndSectionsOfADocumentShareOneDescriptionOfEachFont) {
  EXPECT_EQ(Distinct().size(), 3u);
  const auto& first = static_cast<const TSection&>(*f.root[0]);
  const auto& last = static_cast<const TSection&>(*f.root[f.root.Count() - 1]);
  EXPECT_EQ(first.Fonts[0]->RunFont, last.Fonts[3]->RunFont);
  EXPECT_EQ(first.BaseFont, first.Fonts[0]->RunFont);
  EXPECT_EQ(first.Fonts[1]->RunFont->Style(), cl::fsBold);
  EXPECT_EQ(first.Fonts[2]->RunFont->Style(), cl::fsItalic);
  // The print copy shares them too.
  const TSectionList copy(f.root);
  const auto& copied = static_cast<const TSection&>(*copy[0]);
  EXPECT_EQ(copied.Fonts[1]->RunFont, first.Fonts[1]->RunFont);
}

TEST_F(SharedFontsFixture, ChangingOneRunsFontLeavesTheRunsThatSharedIt) {
  auto& first = static_cast<TSection&>(*f.root[0]);
  auto& second = static_cast<TSection&>(*f.root[1]);
  first.Fonts[1]->ChangeFont([](TMyFont& font) { font.SetSize(24); });
  EXPECT_EQ(first.Fonts[1]->RunFont->Size(), 24);
  EXPECT_EQ(first.Fonts[1]->LineHeight, 32);
  EXPECT_EQ(second.Fonts[1]->RunFont->Size(), 12);
  EXPECT_EQ(second.Fonts[1]->LineHeight, 16);
  EXPECT_EQ(first.Fonts[3]->RunFont->Size(), 12);
  // A link run takes the link colour alone.
  second.Fonts[2]->Link->Assign("a.htm", "");
  f.root.RefreshAllFonts();
  EXPECT_EQ(second.Fonts[2]->RunFont->Color(), cl::clBlue | cl::PaletteRelative);
  EXPECT_EQ(first.Fonts[2]->RunFont->Color(), cl::clBlack | cl::PaletteRelative);
  EXPECT_EQ(second.Fonts[2]->RunFont->Style(), cl::fsItalic);
}

TEST_F(SharedFontsFixture, NewDefaultsReachEveryRunAndOldFontsDoNotPileUp) {
  for (int i = 0; i < 100; ++i) {
    const int32_t size = 8 + i;  // every change makes new fonts
    f.root.SetDefaults(i % 2 ? "Verdana" : "Arial", "Courier New", size, cl::clBlack, cl::clBlue, cl::clWhite);
    for (const auto& s : f.root) {
      const auto& text = static_cast<const TSection&>(*s);
      ASSERT_EQ(text.BaseFont->Size(), size) << i;
      for (const auto& run : text.Fonts) {
        ASSERT_EQ(run->RunFont->Name(), i % 2 ? "Verdana" : "Arial") << i;
        ASSERT_EQ(run->RunFont->Size(), size) << i;
        ASSERT_EQ(run->LineHeight, run->RunFont->Metrics().tmHeight + run->RunFont->Metrics().tmExternalLeading);
      }
    }
    EXPECT_EQ(Distinct().size(), 3u) << i;
  }
  // Those no longer used go as the table grows: at most what the current
  // fonts and one pruning's worth of old ones make.
  EXPECT_LE(f.root.SharedFonts.Count(), 2 * 64u);
  f.root.ClearDocument();
  EXPECT_EQ(f.root.SharedFonts.Count(), 0u);
}

}  // namespace

}  // namespace html
