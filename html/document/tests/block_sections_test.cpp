#include <gtest/gtest.h>

#include <string>

#include "html/document/block_sections.h"
#include "html/document/list_items.h"
#include "html/document/preformated.h"
#include "html/testing/document_dump.h"
#include "html/testing/layout_fixture.h"

namespace html {

namespace {

cl::TColor Pixel(LayoutFixture& f, int x, int y) { return f.Canvas().GetPixel(x, y) & 0xFFFFFF; }

void Clear(LayoutFixture& f) { f.Canvas().FillRect({0, 0, 600, 400}, cl::clWhite); }

// Pixels of one row that are not white.
std::string Row(LayoutFixture& f, int y, int width) {
  std::string out;
  for (int x = 0; x < width; ++x) out += Pixel(f, x, y) == cl::clWhite ? '.' : '#';
  return out;
}

THorzLine& AddRule(LayoutFixture& f, std::initializer_list<std::pair<HtmlSymbol, std::string>> attributes) {
  TAttributeList list;
  for (const auto& [code, text] : attributes)
    list.Add(LayoutFixture::Attr(code, text, std::atoi(text.c_str())));
  auto rule = std::make_unique<THorzLine>(list);
  THorzLine& added = *rule;
  f.root.AddSection(std::move(rule));
  return added;
}

TEST(BlockSections, SpacesScaleWithTheDocumentFontSize) {
  struct Case {
    int level;  // -1 for a paragraph space
    int32_t at12, at24;
  } const cases[] = {{-1, 14, 28}, {1, 16, 32}, {2, 12, 24}, {3, 10, 20}, {4, 8, 16},
                     {5, 4, 8},    {6, 4, 8},   {0, 8, 16}};
  for (const Case& c : cases) {
    LayoutFixture f;
    if (c.level < 0)
      f.root.AddSection(std::make_unique<TParagraphSpace>());
    else
      f.root.AddSection(std::make_unique<THeadingSpace>(c.level));
    EXPECT_EQ(f.Layout(300), c.at12) << c.level;
    f.root.SetDefaults("Arial", "Courier New", 24, cl::clBlack, cl::clBlue, cl::clWhite);
    EXPECT_EQ(f.Layout(300), c.at24) << c.level;
    EXPECT_EQ(f.root[0]->Clone(&f.root)->FlowHeight, c.at24) << c.level;
  }
}

TEST(BlockSections, RuleAttributesAreReadWithTheirLimits) {
  LayoutFixture f;
  const THorzLine& half = AddRule(f, {{WidthSy, "50%"}, {AlignSy, "RIGHT"}, {SizeSy, "4"}});
  EXPECT_EQ(half.RuleWidth, 50);
  EXPECT_TRUE(half.WidthIsPercent);
  EXPECT_EQ(half.RuleAlign, 3);
  EXPECT_EQ(half.RuleSize, 4);
  EXPECT_EQ(half.FlowHeight, 22);
  const THorzLine& wide = AddRule(f, {{WidthSy, "150%"}, {SizeSy, "30"}, {AlignSy, "middle"}});
  EXPECT_EQ(wide.RuleWidth, -1);
  EXPECT_TRUE(wide.WidthIsPercent);
  EXPECT_EQ(wide.RuleSize, 2);
  EXPECT_EQ(wide.RuleAlign, 2);
  const THorzLine& huge = AddRule(f, {{WidthSy, "2147483647"}, {ColorSy, "red"}, {NoShadeSy, ""}});
  EXPECT_EQ(huge.RuleWidth, 32000);
  EXPECT_TRUE(huge.HasColor);
  EXPECT_EQ(huge.RuleColor & 0xFFFFFF, cl::clRed);
  EXPECT_TRUE(huge.NoShade);
  const auto copy = huge.Clone(&f.root);
  EXPECT_EQ(static_cast<const THorzLine&>(*copy).RuleWidth, 32000);
  EXPECT_TRUE(static_cast<const THorzLine&>(*copy).HasColor);
}

TEST(BlockSections, RulesDrawWhereTheirWidthAndAlignmentPutThem) {
  LayoutFixture f;
  // 200 pixels wide: the rule of 50% right-aligned covers 100..199, 4 high at
  // (22 - 4) / 2 = 9 .. 12.
  AddRule(f, {{WidthSy, "50%"}, {AlignSy, "right"}, {SizeSy, "4"}, {NoShadeSy, ""}});
  AddRule(f, {{WidthSy, "150%"}, {NoShadeSy, ""}});  // full width, 10 in from both sides, at 22 + 9
  AddRule(f, {{ColorSy, "red"}, {WidthSy, "40"}, {AlignSy, "left"}});  // 42 + 9
  f.Layout(200);
  Clear(f);
  f.root.Draw(f.Canvas(), {0, 0, 200, 400}, 0, 0, 200);
  EXPECT_EQ(Row(f, 9, 200), std::string(100, '.') + std::string(100, '#'));
  EXPECT_EQ(Row(f, 10, 200), std::string(100, '.') + "#" + std::string(98, '.') + "#");
  EXPECT_EQ(Row(f, 12, 200), std::string(100, '.') + std::string(100, '#'));
  EXPECT_EQ(Row(f, 13, 200), std::string(200, '.'));
  EXPECT_EQ(Pixel(f, 150, 9), cl::clBlack);
  EXPECT_EQ(Row(f, 31, 200), std::string(10, '.') + std::string(180, '#') + std::string(10, '.'));
  EXPECT_EQ(Pixel(f, 100, 31), cl::clBlack);
  // The coloured rule is a filled bar, not an outline.
  EXPECT_EQ(Pixel(f, 0, 51), cl::clRed);
  EXPECT_EQ(Pixel(f, 20, 51), cl::clRed);
  EXPECT_EQ(Pixel(f, 20, 52), cl::clRed);
  EXPECT_EQ(Pixel(f, 40, 51), cl::clWhite);
}

TEST(BlockSections, AShadedRuleOnWhiteHasAShadowTopAndASilverBottom) {
  LayoutFixture f;
  AddRule(f, {{SizeSy, "3"}});
  f.Layout(100);
  Clear(f);
  f.root.Draw(f.Canvas(), {0, 0, 100, 100}, 0, 0, 100);
  // Height 21, top (21 - 3) / 2 = 9, rows 9 .. 11.
  EXPECT_EQ(Pixel(f, 50, 9), cl::ColorToRGB(cl::clBtnShadow) & 0xFFFFFF);
  EXPECT_EQ(Pixel(f, 50, 11), cl::clSilver);
  EXPECT_EQ(Pixel(f, 50, 10), cl::clWhite);
  EXPECT_EQ(Pixel(f, 9, 10), cl::clWhite);
  EXPECT_NE(Pixel(f, 10, 10), cl::clWhite);
  EXPECT_NE(Pixel(f, 89, 10), cl::clWhite);
  EXPECT_EQ(Pixel(f, 90, 10), cl::clWhite);
}

TEST(BlockSections, ARuleOutsideTheClipDrawsNothing) {
  LayoutFixture f;
  AddRule(f, {{NoShadeSy, ""}});
  f.Layout(100);
  Clear(f);
  f.root.ScrollY = 100;
  EXPECT_EQ(f.root.Draw(f.Canvas(), {0, 0, 100, 100}, 0, 0, 100), 20);
  for (int y = 0; y < 100; ++y) ASSERT_EQ(Row(f, y, 100), std::string(100, '.'));
}

TEST(BlockSections, SpacesAndRulesGiveLineBreaksToTheSelection) {
  LayoutFixture f;
  f.AddText("ab");
  f.root.AddSection(std::make_unique<TParagraphSpace>());
  f.root.AddSection(std::make_unique<THeadingSpace>(2));
  AddRule(f, {});
  f.AddText("cd");
  f.Layout(300);
  f.root.SelFrom = 0;
  f.root.SelTo = 4;
  std::string copied;
  f.root.CopySelectionToClipboard([&](std::string_view text) { copied = text; });
  EXPECT_EQ(copied, "ab\r\n\r\n\r\n\r\ncd\r\n");
}

TEST(BlockSections, APageMarkerEndsThePrintedPageOnlyWhenPrinting) {
  LayoutFixture f;
  f.root.AddSection(std::make_unique<TPage>());
  f.Layout(100);
  TPage& page = static_cast<TPage&>(*f.root[0]);
  f.root.PageLimitY = 300;
  page.Draw(f.Canvas(), {0, 0, 100, 400}, *f.root.Indents, 0, 120);
  EXPECT_EQ(f.root.PageLimitY, 300);
  f.root.IsPrintCopy = true;
  page.Draw(f.Canvas(), {0, 0, 100, 400}, *f.root.Indents, 0, 3);  // too near the top
  EXPECT_EQ(f.root.PageLimitY, 300);
  page.Draw(f.Canvas(), {0, 0, 100, 400}, *f.root.Indents, 0, 120);
  EXPECT_EQ(f.root.PageLimitY, 120);
  page.Draw(f.Canvas(), {0, 0, 100, 400}, *f.root.Indents, 0, 200);  // below the page end
  EXPECT_EQ(f.root.PageLimitY, 120);
  EXPECT_EQ(page.FlowHeight, 0);
}

TEST(Preformated, ALongLineKeepsItsSpacesNeverWrapsAndAsksATableForAtMost500) {
  LayoutFixture f;
  auto pre = std::make_unique<TPreFormated>(0, Justification::Left, nullptr, *f.Font());
  pre->AppendText("  a  b");
  pre->AppendText(std::string(100, 'x'));
  TPreFormated& section = *pre;
  f.root.AddSection(std::move(pre));
  EXPECT_EQ(section.Buff, "  a  b" + std::string(100, 'x'));
  const TWidths widths = section.MeasureWidths(f.Canvas());
  EXPECT_EQ(widths.Max, 106 * LayoutFixture::CharWidth);
  EXPECT_EQ(widths.Min, 500);
  const TLayoutResult laid = f.root.Layout(f.Canvas(), 0, 0, 100);
  EXPECT_EQ(laid.Height, LayoutFixture::LineHeight);
  EXPECT_EQ(section.Lines.size(), 1u);
  EXPECT_EQ(laid.MaxWidth, 106 * LayoutFixture::CharWidth);
  EXPECT_EQ(f.root.Indents->LayoutWidth, 100);
  auto narrow = std::make_unique<TPreFormated>(2, Justification::Left, nullptr, *f.Font());
  narrow->AppendText("abc");
  const TWidths narrowWidths = narrow->MeasureWidths(f.Canvas());
  EXPECT_EQ(narrowWidths.Max, 3 * LayoutFixture::CharWidth + 70);
  EXPECT_EQ(narrowWidths.Min, narrowWidths.Max);
}

TEST(Preformated, MarkBytesInTheTextBecomeQuestionMarks) {
  LayoutFixture f;
  TPreFormated pre(0, Justification::Left, nullptr, *f.Font());
  pre.AppendText(" a");
  pre.AppendText(std::string("\x04" "b\x02", 3));
  EXPECT_EQ(pre.Buff, " a?b?");
  EXPECT_EQ(pre.PosCount, 5);
}

TEST(Preformated, LongLinesAreKeptWholeAndNeverWrap) {
  LayoutFixture f;
  auto owned = std::make_unique<TPreFormated>(0, Justification::Left, nullptr, *f.Font());
  TPreFormated& pre = *owned;
  pre.AppendText(std::string(19990, 'a'));
  pre.AppendText(std::string(25000, 'b') + " ");
  pre.AppendText("c");
  EXPECT_EQ(pre.PosCount, 19990 + 25001 + 1);
  EXPECT_EQ(pre.Buff.back(), 'c');
  EXPECT_EQ(pre.Clone(&f.root)->PosCount, pre.PosCount);
  f.root.AddSection(std::move(owned));
  f.Layout(300);
  ASSERT_EQ(pre.Lines.size(), 1u);
  EXPECT_EQ(pre.Lines[0].Ln, pre.PosCount);
}

TEST(ListItems, ItemsCarryTheirMarkerKindThroughCopies) {
  LayoutFixture f;
  TUListItem plain(1, nullptr, *f.Font());
  plain.SetNoBullet(true);
  TDListItem definition(1, nullptr, *f.Font());
  TOListItem roman(2, nullptr, *f.Font(), 'I', 4);
  EXPECT_EQ(plain.ListType, ListKind::Bulleted);
  EXPECT_EQ(definition.ListType, ListKind::Other);
  EXPECT_EQ(roman.ListType, ListKind::Numbered);
  EXPECT_EQ(roman.ListNumb, 4);
  EXPECT_EQ(roman.Indent, 70);
  const auto plainCopy = plain.Clone(&f.root);
  const auto romanCopy = roman.Clone(&f.root);
  const auto definitionCopy = definition.Clone(&f.root);
  EXPECT_TRUE(dynamic_cast<TUListItem&>(*plainCopy).NoBullet());
  EXPECT_EQ(dynamic_cast<TOListItem&>(*romanCopy).NumberStyle(), 'I');
  EXPECT_EQ(dynamic_cast<TOListItem&>(*romanCopy).ListNumb, 4);
  EXPECT_NE(dynamic_cast<TDListItem*>(definitionCopy.get()), nullptr);
}

TEST(ListItems, MarkersAreDrawnLeftOfTheItemText) {
  struct Case {
    const char* name;
    std::unique_ptr<TSection> (*make)(const TMyFont& font);
    bool marked;
  } const cases[] = {
      {"bullet", [](const TMyFont& font) -> std::unique_ptr<TSection> {
         return std::make_unique<TUListItem>(1, nullptr, font);
       }, true},
      {"plain", [](const TMyFont& font) -> std::unique_ptr<TSection> {
         auto item = std::make_unique<TUListItem>(1, nullptr, font);
         item->SetNoBullet(true);
         return item;
       }, false},
      {"definition", [](const TMyFont& font) -> std::unique_ptr<TSection> {
         return std::make_unique<TDListItem>(1, nullptr, font);
       }, false},
      {"numbered", [](const TMyFont& font) -> std::unique_ptr<TSection> {
         return std::make_unique<TOListItem>(1, nullptr, font, 'i', 3);
       }, true},
  };
  for (const Case& c : cases) {
    LayoutFixture f;
    auto item = c.make(*f.Font());
    item->AppendText("x");
    f.root.AddSection(std::move(item));
    f.Layout(300);
    Clear(f);
    f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
    int marker = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 35; ++x) marker += Pixel(f, x, y) != cl::clWhite;
    EXPECT_EQ(marker > 0, c.marked) << c.name;
    EXPECT_NE(Pixel(f, 36, 6), cl::clWhite) << c.name;  // the text at the level's indent
  }
}

TEST(ListItems, ANumberedMarkerEndsFivePixelsBeforeTheText) {
  LayoutFixture f;
  auto item = std::make_unique<TOListItem>(1, nullptr, *f.Font(), 'i', 3);
  item->AppendText("x");
  f.root.AddSection(std::move(item));
  f.Layout(300);
  Clear(f);
  f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
  // "iii." right-aligned at 35 - 5: four boxes of 8 pixels from 0 to 30.
  EXPECT_NE(Pixel(f, 1, 6), cl::clWhite);
  EXPECT_NE(Pixel(f, 28, 6), cl::clWhite);
  EXPECT_EQ(Pixel(f, 31, 6), cl::clWhite);
}

}  // namespace

}  // namespace html
