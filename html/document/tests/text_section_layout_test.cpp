#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>

#include "html/testing/document_dump.h"
#include "html/testing/layout_fixture.h"

namespace html {

namespace {

// Registers a left float of 50 x floatHeight at its Y, as a table would.
class FloatBlock : public TSectionBase {
 public:
  explicit FloatBlock(int32_t floatHeight) : floatHeight_(floatHeight) {}
  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) override {
    indents.AddFloat(y, 50, 1, floatHeight_);
    return TSectionBase::Layout(canvas, y, indents, curs);
  }

 private:
  int32_t floatHeight_;
};

class FixedControl : public TFormControlObj {
 public:
  FixedControl(TSectionList* document, int32_t width, int32_t height, uint8_t alignMode)
      : TFormControlObj(document, 0), width_(width), height_(height) {
    AlignMode = alignMode;
  }
  bool HasWindow() const override { return true; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }

 private:
  int32_t width_, height_;
};

TEST(TextSection, AppendingDropsALeadingSpaceAtALineStart) {
  LayoutFixture f;
  struct Case {
    const char* first;
    const char* second;
    const char* text;
  };
  const Case cases[] = {{"a ", " b", "a b"}, {"", " x", "x"}, {"a", " b", "a b"}, {"a", "", "a"}, {" ", " ", ""}};
  for (const auto& c : cases) {
    TSection section(0, Justification::Left, nullptr, *f.Font());
    section.AppendText(c.first);
    section.AppendText(c.second);
    EXPECT_EQ(section.Buff, c.text) << c.first << "|" << c.second;
    EXPECT_EQ(section.PosCount, static_cast<int32_t>(section.Buff.size()));
  }
  // After floating images only, the text still starts a line.
  TSection floats(0, Justification::Left, nullptr, *f.Font());
  TAttributeList left;
  left.Add(LayoutFixture::Attr(AlignSy, "left"));
  floats.AddImage(left, nullptr);
  floats.AppendText(" y");
  EXPECT_EQ(floats.Buff, "\x04y");
  TSection inline_(0, Justification::Left, nullptr, *f.Font());
  inline_.AddImage(TAttributeList(), nullptr);
  inline_.AppendText(" y");
  EXPECT_EQ(inline_.Buff, "\x04 y");
  // Mark bytes only come with their objects.
  TSection stray(0, Justification::Left, nullptr, *f.Font());
  stray.AppendText(std::string("a\x04" "b\x02", 4));
  EXPECT_EQ(stray.Buff, "a?b?");
}

TEST(TextSection, MoreThanTwentyThousandCharactersAreAllKeptAndLaidOut) {
  LayoutFixture f;
  std::string words;
  while (words.size() < 25000) words += "word ";
  TSection& section = f.AddText(words.substr(0, 20001));
  section.AppendText(words.substr(20001));
  EXPECT_EQ(section.PosCount, static_cast<int32_t>(words.size()));
  EXPECT_GE(section.BuffSize(), section.PosCount);
  f.Layout(400);  // 50 characters a line: ten words
  ASSERT_FALSE(section.Lines.empty());
  const LineRec& last = section.Lines.back();
  EXPECT_EQ(last.Start + last.Ln, section.PosCount);
  EXPECT_EQ(section.Lines.size(), words.size() / 50);
  EXPECT_EQ(section.FlowHeight, static_cast<int32_t>(section.Lines.size()) * 16);
}

TEST(TextSection, LinesBreakAtSpacesAndLongWordsOverflow) {
  struct Case {
    const char* text;
    int32_t width;
    const char* lines;
  };
  const Case cases[] = {
      {"aaa bbb ccc", 80, "0+8@0 8+3@0"},           // the space after bbb stays on its line
      {"aaa bbb ccc", 88, "0+11@0"},                // fits exactly
      {"aaaa     bbbb", 40, "0+9@0 9+4@0"},          // every following space joins the line
      {"abcdefghijklmno pq", 80, "0+16@0 16+2@0"},  // a long word is not split
      {"a b", 0, "0+2@0 2+1@0"},                     // a line that fits nothing takes a character
      {"xyz", 0, "0+3@0"},
      {"ab cdefghijklmnopq rs", 80, "0+3@0 3+16@0 19+2@0"},
  };
  for (const auto& c : cases) {
    LayoutFixture f;
    TSection& section = f.AddText(c.text);
    f.Layout(c.width);
    EXPECT_EQ(DumpLines(section), c.lines) << c.text << " at " << c.width;
  }
}

TEST(TextSection, AlignmentsPlaceTheTextWithoutTrailingSpaces) {
  struct Case {
    Justification justify;
    const char* text;
    const char* lines;
  };
  // A 100-pixel cell with a 20-pixel left float.
  const Case cases[] = {
      {Justification::Left, "ab ", "0+3@20"},
      {Justification::Center, "ab ", "0+3@52"},         // (20 + 100 - 16) / 2
      {Justification::Right, "ab ", "0+3@83"},         // 100 - 16 - 1
      {Justification::Right, "abcdefghijklmn", "0+14@20"},  // overflowing: still at the left edge
      {Justification::Center, "abcdefghijklmn", "0+14@20"},
  };
  struct Float20 : TSectionBase {
    TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& m, int32_t curs) override {
      m.AddFloat(y, 20, 1, 1000);
      return TSectionBase::Layout(canvas, y, m, curs);
    }
  };
  for (const auto& c : cases) {
    LayoutFixture f;
    f.root.AddSection(std::make_unique<Float20>());
    TSection& section = f.AddText(c.text, c.justify);
    f.Layout(100);
    EXPECT_EQ(DumpLines(section), c.lines) << int(c.justify) << " " << c.text;
  }
}

TEST(TextSection, ClearAllStartsBelowALeftFloat) {
  LayoutFixture f;
  f.root.AddSection(std::make_unique<FloatBlock>(100));
  TSection& cleared = f.AddText("ab");
  TAttributeList attributes;
  attributes.Add(LayoutFixture::Attr(ClearSy, "ALL"));
  cleared.SetClear(attributes);
  EXPECT_EQ(cleared.ClearMode, ClearSide::All);
  TSection& beside = f.AddText("cd");
  f.Layout(300);
  ASSERT_EQ(cleared.Lines.size(), 2u);
  EXPECT_EQ(cleared.Lines[0].Ln, 0);
  EXPECT_EQ(cleared.Lines[0].Height(), 100);
  EXPECT_EQ(cleared.Lines[1].LineIndent, 0);
  EXPECT_EQ(cleared.FlowHeight, 116);
  EXPECT_EQ(beside.PlacedY, 116);
  struct Case {
    const char* value;
    ClearSide mode;
  };
  for (const Case c : {Case{"Left", ClearSide::Left}, Case{"right", ClearSide::Right}, Case{"both", ClearSide::All}}) {
    TAttributeList a;
    a.Add(LayoutFixture::Attr(ClearSy, c.value));
    cleared.SetClear(a);
    EXPECT_EQ(cleared.ClearMode, c.mode) << c.value;
  }
  // Without CLEAR the text flows beside the float.
  LayoutFixture g;
  g.root.AddSection(std::make_unique<FloatBlock>(100));
  TSection& flowing = g.AddText("ab");
  g.Layout(300);
  EXPECT_EQ(DumpLines(flowing), "0+2@50");
  EXPECT_EQ(flowing.PaintHeight, 100);
}

TEST(TextSection, AFloatingImageNarrowsTheLinesItStandsBeside) {
  // At the start of the paragraph it narrows the first line; in the middle
  // of a line it is registered below that line and narrows the next ones.
  struct Case {
    bool atStart;
    const char* lines;
  };
  for (const Case c : {Case{true, "0+6@40 6+5@40 11+5@40 16+4@0"}, Case{false, "0+12@0 12+5@40 17+4@40"}}) {
    LayoutFixture f;
    auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
    TAttributeList attributes;
    attributes.Add(LayoutFixture::Attr(AlignSy, "left"));
    attributes.Add(LayoutFixture::Attr(WidthSy, "35", 35));
    attributes.Add(LayoutFixture::Attr(HeightSy, "40", 40));
    if (c.atStart) section->AddImage(attributes, &f.root);
    section->AppendText("aaaa ");
    if (!c.atStart) {
      section->AppendText("bbbbb ");
      section->AddImage(attributes, &f.root);
    }
    section->AppendText(c.atStart ? "bbbb cccc dddd" : "cccc dddd");
    TSection& text = *section;
    f.root.AddSection(std::move(section));
    f.Layout(88);
    EXPECT_EQ(DumpLines(text), c.lines) << c.atStart;
    EXPECT_EQ(text.Images[0]->FloatX, 0);
  }
}

TEST(TextSection, ImagesAndControlsMakeRoomInTheirLine) {
  LayoutFixture f;
  auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
  section->AppendText("ab");
  TAttributeList bottom;
  bottom.Add(LayoutFixture::Attr(WidthSy, "10", 10));
  bottom.Add(LayoutFixture::Attr(HeightSy, "30", 30));
  section->AddImage(bottom, &f.root);
  FixedControl control(&f.root, 20, 22, 1);
  section->AddControl(&control);
  section->AppendText("cd");
  TSection& text = *section;
  f.root.AddSection(std::move(section));
  f.Layout(300);
  ASSERT_EQ(text.Lines.size(), 1u);
  const LineRec& line = text.Lines[0];
  // Bottom image: 30 + 4 - 16; baseline control: 22 + 4 - 16.
  EXPECT_EQ(line.SpaceBefore, 18);
  EXPECT_EQ(line.LineHt, 16);
  EXPECT_EQ(text.TextWidth(f.Canvas(), 0, false, 6), 16 + 10 + 20 + 16);
  EXPECT_EQ(control.TopY, 0);
  EXPECT_EQ(control.TextPos, 3);
}

TEST(TextSection, AControlMarkInsideAWordKeepsItTogetherForTheMinimumWidth) {
  LayoutFixture f;
  auto section = std::make_unique<TSection>(1, Justification::Left, nullptr, *f.Font());
  section->AppendText("x ab");
  FixedControl control(&f.root, 20, 10, 0);
  section->AddControl(&control);
  section->AppendText("cd y");
  TSection& text = *section;
  f.root.AddSection(std::move(section));
  const TWidths widths = text.MeasureWidths(f.Canvas());
  EXPECT_EQ(widths.Min, 16 + 20 + 16 + 35);
  EXPECT_EQ(widths.Max, 8 * 8 + 20 + 35);
}

TEST(TextSection, FontRunsStartAtTheirBoundariesAndSetTheLineHeight) {
  LayoutFixture f;
  auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
  section->AppendText("aaaa ");
  section->ChangeFont(f.root, *f.Font(24));
  section->ChangeFont(f.root, *f.Font(24), cl::fsBold);  // reassigns the run that starts here
  section->AppendText("BB ");
  TUrlTarget link("x.htm", "");
  section->ChangeFontAndLink(HrefSy, f.root, *f.Font(), &link, 0, 2);
  section->AppendText("cc");
  section->ChangeFontAndLink(static_cast<HtmlSymbol>(61), f.root, *f.Font(), nullptr);
  section->AppendText(" dd");
  TSection& text = *section;
  f.root.AddSection(std::move(section));
  ASSERT_EQ(text.Fonts.Count(), 4);
  EXPECT_EQ(text.Fonts[1]->StartPos, 5);
  EXPECT_EQ(text.Fonts[1]->RunFont->Style(), cl::fsBold);
  EXPECT_EQ(text.Fonts[2]->Link->Url, "x.htm");
  EXPECT_EQ(text.Fonts[2]->ScriptMode, 2);
  EXPECT_EQ(text.Fonts[2]->RunFont->RelSize, 9);
  EXPECT_TRUE(text.Fonts[3]->Link->Url.empty());
  EXPECT_EQ(text.TextWidth(f.Canvas(), 0, false, text.PosCount), 5 * 8 + 3 * 16 + 2 * 6 + 3 * 8);
  f.Layout(5 * 8 + 3 * 16);  // "aaaa BB " exactly
  EXPECT_EQ(DumpLines(text), "0+8@0 8+5@0");
  EXPECT_EQ(text.Lines[0].LineHt, 32);
  EXPECT_EQ(text.Lines[0].LineDescent, 8);
  EXPECT_EQ(text.Lines[1].LineHt, 16);
  EXPECT_EQ(text.FlowHeight, 48);
}

TEST(TextSection, ListItemsOpenTheirLevelAndEndBelowDeeperFloats) {
  LayoutFixture f;
  TSection& item = f.AddText("ab", Justification::Left, 2);
  f.Layout(300);
  EXPECT_EQ(DumpLines(item), "0+2@70");
  EXPECT_EQ(item.FirstLineIndent, 70);
  EXPECT_EQ(f.root.Indents->ListLevel, 2);
}

TEST(TextSection, AnEmptySectionTakesOnlyItsClearSpace) {
  LayoutFixture f;
  TSection& empty = f.AddText("");
  f.Layout(300);
  EXPECT_EQ(empty.FlowHeight, 0);
  EXPECT_TRUE(empty.Lines.empty());
  TSection padded(0, Justification::Right, nullptr, *f.Font());
  EXPECT_EQ(padded.PadIfEmpty(), Justification::Right);
  EXPECT_EQ(padded.Buff, " ");
  EXPECT_EQ(padded.PadIfEmpty(), Justification::Right);
  EXPECT_EQ(padded.Buff, " ");
}

// The line-breaking rules applied directly, one character at a time, to a
// paragraph of text and font runs in a cell without floats.
std::string ReferenceLines(const TSection& section, int32_t width) {
  const std::string& text = section.Buff;
  const int32_t n = static_cast<int32_t>(text.size());
  auto advance = [&](int32_t i) {
    const TMyFont& font = *section.Fonts.GetFontObjAt(i)->RunFont;
    return font.Advances()[static_cast<unsigned char>(text[static_cast<size_t>(i)])];
  };
  std::ostringstream out;
  for (int32_t start = 0; start < n;) {
    int32_t fit = 0;
    for (int32_t used = 0; start + fit < n && used + advance(start + fit) <= width; ++fit) used += advance(start + fit);
    fit = std::max(fit, 1);
    int32_t take = n - start;
    if (fit < n - start) {
      take = fit;
      if (text[static_cast<size_t>(start + fit - 1)] == ' ') {
        while (start + take < n && text[static_cast<size_t>(start + take)] == ' ') ++take;
      } else {
        int32_t back = start + fit - 1;
        while (back > start && text[static_cast<size_t>(back)] != ' ') --back;
        if (back > start) {
          take = back - start + 1;
        } else {
          int32_t e = start + fit;
          while (e < n && text[static_cast<size_t>(e)] != ' ') ++e;
          while (e < n && text[static_cast<size_t>(e)] == ' ') ++e;
          take = e - start;
        }
      }
    }
    int32_t shown = take;
    while (shown > 1 && text[static_cast<size_t>(start + shown - 1)] == ' ') --shown;
    int32_t t = 0;
    for (int32_t i = start; i < start + shown; ++i) t += advance(i);
    int32_t indent = 0;
    if (section.Justify == Justification::Center) indent = std::max(0, (width - t) / 2);
    if (section.Justify == Justification::Right) indent = std::max(0, width - t - 1);
    out << (start > 0 ? " " : "") << start << "+" << take << "@" << indent;
    start += take;
  }
  return out.str();
}

TEST(TextSection, LineBreakingAgreesWithTheRulesAppliedCharacterByCharacter) {
  // Mixed sizes on the fixed-pitch engine and real proportional fonts; runs
  // change inside words too.
  for (const auto engine : {cl::FontEngineKind::FixedPitch, cl::FontEngineKind::Real}) {
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
      LayoutFixture f;
      cl::ScopedFontEngine scoped(engine);
      f.root.RefreshAllFonts();
      auto section = std::make_unique<TSection>(0, static_cast<Justification>(1 + random() % 3), nullptr, *f.Font());
      const int32_t sizes[] = {8, 10, 12, 14, 18, 24};
      const int words = 1 + static_cast<int>(random() % 60);
      for (int w = 0; w < words; ++w) {
        std::string word(1 + random() % (random() % 8 == 0 ? 40 : 9), 'a');
        for (char& c : word) c = static_cast<char>("abcdefghijklmnopqrstuvwxyzMW.,"[random() % 30]);
        const size_t cut = random() % (word.size() + 1);
        section->AppendText(word.substr(0, cut));
        if (random() % 3 == 0) section->ChangeFont(f.root, *f.Font(sizes[random() % 6]));
        section->AppendText(word.substr(cut));
        section->AppendText(std::string(1 + random() % 3, ' '));
      }
      const int32_t width = static_cast<int32_t>(random() % 320);
      TSection& text = *section;
      f.root.AddSection(std::move(section));
      f.Layout(width);
      ASSERT_EQ(DumpLines(text), ReferenceLines(text, width)) << round << " width " << width << ": " << text.Buff;
      for (const LineRec& line : text.Lines) {
        int32_t height = 0;
        for (int32_t i = line.Start; i < line.Start + line.Ln; ++i)
          height = std::max(height, text.Fonts.GetFontObjAt(i)->LineHeight);
        ASSERT_EQ(line.LineHt, height) << round << " line " << line.Start;
      }
    }
  }
}

TEST(TextSection, ListMarkersGoOnPastTwentyAndZ) {
  struct Case {
    char style;
    int32_t number;
    const char* text;
  };
  const Case cases[] = {
      {'A', 1, "A"},    {'A', 26, "Z"},     {'a', 27, "aa"},   {'a', 28, "ab"},     {'a', 702, "zz"},
      {'a', 703, "aaa"}, {'a', 0, "0"},     {'A', -2, "-2"},   {'i', 4, "iv"},      {'I', 20, "XX"},
      {'i', 25, "xxv"}, {'I', 3999, "MMMCMXCIX"}, {'I', 4000, "4000"}, {'i', 0, "0"}, {'1', 7, "7"},
      {'x', 12, "12"},
  };
  for (const auto& c : cases) EXPECT_EQ(ListMarkerText(c.style, c.number), c.text) << c.style << c.number;
}

}  // namespace

}  // namespace html
