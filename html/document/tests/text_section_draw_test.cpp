#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/testing/document_dump.h"
#include "html/testing/layout_fixture.h"
#include "platform/gui/font_engine.h"

namespace html {

namespace {

class LetteredItem : public TSection {
 public:
  using TSection::TSection;
  char NumberStyle() const override { return 'a'; }
};

int CountNonWhite(cl::TCanvas& canvas, int width, int height) {
  int count = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) count += (canvas.GetPixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  return count;
}

TEST(TextSectionDraw, ASectionOutsideTheClipPaintsNothingAndStillAdvances) {
  LayoutFixture f;
  TSection& section = f.AddText("abc def");
  f.Layout(300);
  f.root.ScrollY = 0;
  EXPECT_EQ(section.Draw(f.Canvas(), {0, 100, 300, 200}, *f.root.Indents, 0, 0), 16);
  EXPECT_EQ(section.Draw(f.Canvas(), {0, 0, 300, 50}, *f.root.Indents, 0, 60), 76);
  EXPECT_EQ(CountNonWhite(f.Canvas(), 300, 200), 0);
  EXPECT_EQ(section.Draw(f.Canvas(), {0, 0, 300, 50}, *f.root.Indents, 0, 0), 16);
  EXPECT_GT(CountNonWhite(f.Canvas(), 300, 200), 0);
}

TEST(TextSectionDraw, SelectedTextIsDrawnInInverseVideo) {
  LayoutFixture f;
  f.AddText("ab");
  f.Layout(300);
  f.root.SelFrom = 0;
  f.root.SelTo = 1;
  f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
  // Each character is a box one pixel narrower than its advance, baseline at 12.
  auto at = [&](int x, int y) { return f.Canvas().GetPixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(at(1, 5), cl::clWhite);  // selected: the box in the background colour
  EXPECT_EQ(at(7, 5), cl::clBlack);  // on the text colour
  EXPECT_EQ(at(9, 5), cl::clBlack);  // not selected: black box
  EXPECT_EQ(at(15, 5), cl::clWhite); // on nothing
  const auto* section = static_cast<TSection*>(f.root[0]);
  EXPECT_EQ(section->Lines[0].DrawX, 0);
  EXPECT_EQ(section->Lines[0].DrawY, 0);
}

TEST(TextSectionDraw, BlanksThatEndALineAreNotDrawn) {
  struct Case {
    const char* name;
    int32_t width;
    cl::TColor blank;  // the selected blank's cell, x 16 to 23
  };
  const Case cases[] = {
      {"wrapped after the blank", 24, cl::clWhite},
      {"blank inside the line", 300, cl::clBlack},
  };
  for (const auto& c : cases) {
    LayoutFixture f;
    f.AddText("ab cd");
    f.Layout(c.width);
    f.root.SelFrom = 0;
    f.root.SelTo = 5;
    f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
    for (const int x : {16, 20, 23}) EXPECT_EQ(f.Canvas().GetPixel(x, 5) & 0xFFFFFF, c.blank) << c.name << " x " << x;
    EXPECT_EQ(f.Canvas().GetPixel(15, 5) & 0xFFFFFF, cl::clBlack) << c.name;  // the gap after b, selected
  }
}

TEST(TextSectionDraw, ALinkUnderlineEndsWithTheLastCharacterOfAWrappedLine) {
  LayoutFixture f;
  cl::ScopedFontEngine real(cl::FontEngineKind::Real);
  f.root.SetDefaults("Arial", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
  auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
  TUrlTarget link("t.htm", "");
  auto underlined = f.Font();
  underlined->SetStyle(underlined->Style() | cl::fsUnderline);
  section->ChangeFontAndLink(HrefSy, f.root, *underlined, &link);
  section->AppendText("Telefonn\xED linka");
  TSection& text = *section;
  f.root.AddSection(std::move(section));
  f.Layout(600);
  const int32_t word = text.TextWidth(f.Canvas(), 0, true, 10);
  const int32_t withBlank = text.TextWidth(f.Canvas(), 0, false, 10);
  ASSERT_GT(withBlank, word + 2);
  f.Layout(withBlank + 2);
  ASSERT_GE(text.Lines.size(), 2u);
  ASSERT_EQ(text.Lines[0].Ln, 10);
  f.root.Draw(f.Canvas(), {0, 0, 600, 100}, 0, 0, 600);
  // The underline lies between the baseline and the text bottom; no letter of
  // the word reaches below the baseline.
  const int32_t baseline = text.Lines[0].LineHt - text.Lines[0].LineDescent;
  auto darkIn = [&](int32_t from, int32_t to) {
    int dark = 0;
    for (int32_t y = baseline + 1; y < text.Lines[0].LineHt; ++y)
      for (int32_t x = from; x < to; ++x) dark += (f.Canvas().GetPixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return dark;
  };
  EXPECT_GT(darkIn(1, word - 1), word / 2);
  EXPECT_EQ(darkIn(word + 2, withBlank), 0);
}

TEST(TextSectionDraw, RealFontsShowTheSelectionInverse) {
  LayoutFixture f;
  cl::ScopedFontEngine real(cl::FontEngineKind::Real);
  f.root.SetDefaults("Arial", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
  TSection& section = f.AddText("mmmm mmmm");
  f.Layout(300);
  f.root.SelFrom = 0;
  f.root.SelTo = 4;
  f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
  const int32_t selectedWidth = section.TextWidth(f.Canvas(), 0, false, 4);
  const int32_t lineHeight = section.Lines[0].LineHt;
  int dark = 0, total = 0;
  for (int y = 0; y < lineHeight; ++y)
    for (int x = 0; x < selectedWidth; ++x, ++total) dark += (f.Canvas().GetPixel(x, y) & 0xFFFFFF) == 0;
  EXPECT_GT(dark, total / 2);  // mostly the text colour behind white glyphs
  int darkAfter = 0;
  for (int y = 0; y < lineHeight; ++y)
    for (int x = selectedWidth + 2; x < 2 * selectedWidth; ++x) darkAfter += (f.Canvas().GetPixel(x, y) & 0xFFFFFF) == 0;
  EXPECT_LT(darkAfter, total / 2);
}

TEST(TextSectionDraw, NumberedItemsDrawTheirMarkerRightAlignedBeforeTheIndent) {
  LayoutFixture f;
  auto item = std::make_unique<LetteredItem>(1, Justification::Left, nullptr, *f.Font());
  item->ListType = ListKind::Numbered;
  item->ListNumb = 27;
  item->AppendText("x");
  f.root.AddSection(std::move(item));
  f.Layout(300);
  f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
  // "aa." ends 5 pixels left of the indent of 35: boxes at 6, 14 and 22.
  auto at = [&](int x, int y) { return f.Canvas().GetPixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(at(5, 5), cl::clWhite);
  EXPECT_EQ(at(6, 5), cl::clBlack);
  EXPECT_EQ(at(22, 5), cl::clBlack);
  EXPECT_EQ(at(28, 5), cl::clBlack);
  EXPECT_EQ(at(29, 5), cl::clWhite);
  EXPECT_EQ(at(30, 5), cl::clWhite);
  EXPECT_EQ(at(35, 5), cl::clBlack);  // the text itself
}

TEST(TextSectionDraw, RealFontMarkersEndFivePixelsBeforeTheText) {
  LayoutFixture f;
  cl::ScopedFontEngine real(cl::FontEngineKind::Real);
  f.root.SetDefaults("Arial", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
  auto item = std::make_unique<TSection>(2, Justification::Left, nullptr, *f.Font());
  item->ListType = ListKind::Numbered;
  item->ListNumb = 48;
  item->AppendText("x");
  TSection& text = *item;
  f.root.AddSection(std::move(item));
  f.Layout(300);
  f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
  const int32_t b = text.FirstLineIndent;  // 70
  const int32_t markerWidth = f.Canvas().TextWidth("48.");
  auto darkIn = [&](int32_t from, int32_t to) {
    int dark = 0;
    for (int32_t y = 0; y < text.Lines[0].LineHt; ++y)
      for (int32_t x = from; x < to; ++x) dark += (f.Canvas().GetPixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return dark;
  };
  EXPECT_GT(darkIn(b - 5 - markerWidth, b - 5), 0);
  EXPECT_EQ(darkIn(b - 4, b), 0);
  EXPECT_EQ(darkIn(0, b - 7 - markerWidth), 0);
}

TEST(TextSectionDraw, BulletsTakeTheirLevelsColourOnLightBackgroundsAndAreHollowOtherwise) {
  struct Case {
    int32_t level;
    cl::TColor background;
    cl::TColor centre;
  };
  const Case cases[] = {{1, cl::clWhite, cl::clNavy},   {2, cl::clWhite, cl::clMaroon}, {3, cl::clSilver, cl::clRed},
                        {4, cl::clBtnFace, cl::clNavy}, {5, cl::clWhite, cl::clMaroon}, {3, cl::clYellow, cl::clWhite}};
  for (const auto& c : cases) {
    LayoutFixture f;
    cl::ScopedFontEngine real(cl::FontEngineKind::Real);
    f.root.SetDefaults("Arial", "Courier New", 12, cl::clBlack, cl::clBlue, c.background);
    TSection& item = f.AddText("item", Justification::Left, c.level);
    item.ListType = ListKind::Bulleted;
    f.Layout(400);
    f.root.Draw(f.Canvas(), {0, 0, 400, 200}, 0, 0, 400);
    const LineRec& line = item.Lines[0];
    const int32_t cx = item.FirstLineIndent - 8;
    const int32_t cy = line.LineHt - line.LineHt / 2;
    EXPECT_EQ(f.Canvas().GetPixel(cx, cy) & 0xFFFFFF, c.centre) << c.level << " " << c.background;
    if (c.centre == cl::clWhite) {
      // The ring in the text colour.
      int dark = 0;
      for (int x = cx - 3; x <= cx + 3; ++x) dark += (f.Canvas().GetPixel(x, cy) & 0xFFFFFF) == 0;
      EXPECT_GE(dark, 1);
    }
  }
}

TEST(TextSectionDraw, CopyingAnIndentedLineGivesThreeSpacesPer35Pixels) {
  LayoutFixture f;
  f.AddText("abc", Justification::Left, 2);
  TSection& second = f.AddText("de fg");
  f.Layout(24);
  f.root.SelFrom = 0;
  f.root.SelTo = 8;
  std::string clip;
  f.root.CopySelectionToClipboard([&](std::string_view text) { clip = text; });
  // The second section breaks after "de ": both lines are whole.
  EXPECT_EQ(DumpLines(second), "0+3@0 3+2@0");
  EXPECT_EQ(clip, "      abc\r\nde \r\nfg\r\n");
  f.root.SelFrom = 4;
  f.root.SelTo = 7;
  f.root.CopySelectionToClipboard([&](std::string_view text) { clip = text; });
  EXPECT_EQ(clip, "e \r\nf");
}

TEST(TextSectionDraw, SearchFindsWithAndWithoutCase) {
  LayoutFixture f;
  f.AddText("qq");
  TSection& section = f.AddText("xAbx");
  f.Layout(300);
  struct Case {
    const char* text;
    bool matchCase;
    int32_t from;
    int32_t found;
  };
  const Case cases[] = {{"ab", false, 0, 3}, {"ab", true, 0, -1}, {"Ab", true, 0, 3}, {"AB", false, 3, 3},
                        {"ab", false, 4, -1}, {"x", false, 3, 5},  {"bxx", false, 0, -1}, {"ab", false, 6, -1}};
  for (const auto& c : cases)
    EXPECT_EQ(section.Search(c.from, c.text, c.matchCase), c.found) << c.text << " " << c.from;
  EXPECT_EQ(f.root.SearchText(0, "ab", false), 3);
}

TEST(TextSectionDraw, TheCaretGoesBeforeACharacterOnItsLeftHalfAndAfterItOnTheRight) {
  LayoutFixture f;
  f.AddText("ab");
  TSection& section = f.AddText("cd ef", Justification::Left, 1);
  f.Layout(300);
  f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
  struct Case {
    int32_t x;
    int32_t position;
    int32_t caretX;
    bool inText;
  };
  // The line starts at 35; characters are 8 wide.
  const Case cases[] = {{20, 2, 35, false}, {35, 2, 35, true}, {39, 2, 35, true}, {40, 3, 43, true},
                        {43, 3, 43, true},  {48, 4, 51, true}, {200, 7, 75, false}};
  for (const auto& c : cases) {
    const auto place = f.root.CaretAtXY(f.Canvas(), c.x, 20);
    ASSERT_TRUE(place) << c.x;
    EXPECT_EQ(place->Position, c.position) << c.x;
    EXPECT_EQ(place->CaretX, c.caretX) << c.x;
    EXPECT_EQ(place->InText, c.inText) << c.x;
    EXPECT_EQ(place->LineY, 16) << c.x;
    EXPECT_EQ(place->LineHeight, 16);
    EXPECT_EQ(place->Cell, &f.root);
  }
  EXPECT_FALSE(f.root.CaretAtXY(f.Canvas(), 40, 40));
  const auto point = f.root.PositionToXY(f.Canvas(), 4);
  ASSERT_TRUE(point);
  EXPECT_EQ(point->Y, 16);
  EXPECT_EQ(point->X, 35 + 16);
  EXPECT_FALSE(section.PositionToXY(f.Canvas(), 7));
  EXPECT_FALSE(section.PositionToXY(f.Canvas(), 8));
}

// What the hit tests answer over a grid of points: caret position, caret X,
// in-text flag and the link URL ("" for none).
struct HitAnswer {
  int32_t position, caretX;
  bool inText;
  std::string url;
  bool operator==(const HitAnswer&) const = default;
};

std::vector<HitAnswer> HitAnswers(LayoutFixture& f, int32_t width, int32_t height) {
  std::vector<HitAnswer> answers;
  for (int32_t y = 0; y < height; y += 4)
    for (int32_t x = 0; x < width; x += 3) {
      const auto place = f.root.CaretAtXY(f.Canvas(), x, y);
      HitAnswer answer{place ? place->Position : -1, place ? place->CaretX : 0, place && place->InText, ""};
      if (const auto link = f.root.LinkAt(f.Canvas(), x, y); link && link->UrlTarget) answer.url = link->UrlTarget->Url;
      answers.push_back(answer);
    }
  return answers;
}

TEST(TextSectionDraw, HitTestsBeforeTheFirstPaintAnswerAsAfterIt) {
  LayoutFixture f;
  f.AddText("plain words");
  f.AddText("centred", Justification::Center);
  f.AddText("an item", Justification::Left, 1);
  const TUrlTarget link("r.htm", "");
  auto linked = std::make_unique<TSection>(0, Justification::Right, &link, *f.Font());
  linked->AppendText("go");
  TSection& right = *linked;
  f.root.AddSection(std::move(linked));
  // The document is drawn 40 pixels in from the window's left.
  f.root.Indents->OriginX = 40;
  f.Layout(200);

  // Never painted: the right-aligned link's characters are at 40 + 200 - 16 - 1.
  EXPECT_EQ(right.Lines[0].DrawX, 40 + 183);
  const auto hit = f.root.LinkAt(f.Canvas(), 40 + 183 + 12, 48 + 8);
  ASSERT_TRUE(hit && hit->UrlTarget);
  EXPECT_EQ(hit->UrlTarget->Url, "r.htm");
  const auto place = f.root.CaretAtXY(f.Canvas(), 40 + 35 + 5, 32 + 8);
  ASSERT_TRUE(place);
  EXPECT_EQ(place->Position, 18 + 1);
  EXPECT_EQ(place->CaretX, 40 + 35 + 8);

  const std::vector<HitAnswer> before = HitAnswers(f, 300, 64);
  f.root.Draw(f.Canvas(), {0, 0, 300, 100}, 40, 0, 300);
  EXPECT_TRUE(HitAnswers(f, 300, 64) == before);
}

TEST(TextSectionDraw, LinksAreFoundOnTheirCharactersAndServerMapsGetThePoint) {
  LayoutFixture f;
  auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
  section->AppendText("go ");
  TUrlTarget link("u.htm", "main");
  section->ChangeFontAndLink(HrefSy, f.root, *f.Font(), &link);
  section->AppendText("here");
  TAttributeList attributes;
  attributes.Add(LayoutFixture::Attr(WidthSy, "40", 40));
  attributes.Add(LayoutFixture::Attr(HeightSy, "30", 30));
  attributes.Add(LayoutFixture::Attr(IsMapSy, ""));
  TImageObj* image = section->AddImage(attributes, &f.root);
  section->ChangeFontAndLink(static_cast<HtmlSymbol>(61), f.root, *f.Font(), nullptr);
  section->AppendText(" end");
  f.root.AddSection(std::move(section));
  f.Layout(400);
  f.root.Draw(f.Canvas(), {0, 0, 400, 100}, 0, 0, 400);
  EXPECT_TRUE(image->Bordered);
  EXPECT_FALSE(f.root.LinkAt(f.Canvas(), 4, image->Top + 5));
  const auto text = f.root.LinkAt(f.Canvas(), 3 * 8 + 1, image->Top + 25);
  ASSERT_TRUE(text && text->UrlTarget);
  EXPECT_EQ(text->UrlTarget->Url, "u.htm");
  EXPECT_EQ(text->UrlTarget->Target, "main");
  const auto map = f.root.LinkAt(f.Canvas(), image->Left + 10, image->Top + 20);
  ASSERT_TRUE(map && map->UrlTarget);
  EXPECT_EQ(map->UrlTarget->Url, "u.htm?10,20");
  // The bordered image's last column is outside it.
  EXPECT_TRUE(f.root.ObjectAtXY(image->Left + 39, image->Top));
  EXPECT_FALSE(f.root.ObjectAtXY(image->Left + 40, image->Top));
}

TEST(TextSectionDraw, PrintingEndsThePageAboveALineThatWouldCrossIt) {
  LayoutFixture f;
  f.AddText("aa bb cc dd ee");
  f.Layout(24);  // five lines of 16
  TSectionList copy(f.root);
  copy.Layout(f.Canvas(), 0, 0, 24);
  copy.ScrollY = 0;
  copy.Draw(f.Canvas(), {0, 0, 100, 40}, 0, 0, 100);
  EXPECT_EQ(copy.PageLimitY, 32);
  // Nothing of the third line was drawn on the first page.
  for (int x = 0; x < 24; ++x) EXPECT_EQ(f.Canvas().GetPixel(x, 35) & 0xFFFFFF, cl::clWhite) << x;
  // The next page starts with it.
  f.bitmap.SetSize(1, 1);
  f.bitmap.SetSize(100, 100);
  copy.SetScrollOffset(32);
  copy.Draw(f.Canvas(), {0, 0, 100, 40}, 0, 0, 100);
  EXPECT_EQ(f.Canvas().GetPixel(1, 5) & 0xFFFFFF, cl::clBlack);
  EXPECT_EQ(copy.PageLimitY, 32);
}

TEST(TextSectionDraw, PrintingGreysLightColoursAndShowsNoSelection) {
  LayoutFixture f;
  f.root.SetDefaults("Arial", "Courier New", 12, cl::RGB(0xF0, 0xF0, 0x00), cl::clBlue, cl::clWhite);
  f.AddText("ab");
  f.root.SelFrom = 0;
  f.root.SelTo = 2;
  f.Layout(300);
  TSectionList copy(f.root);
  copy.Layout(f.Canvas(), 0, 0, 300);
  copy.Draw(f.Canvas(), {0, 0, 300, 100}, 0, 0, 300);
  EXPECT_EQ(f.Canvas().GetPixel(1, 5) & 0xFFFFFF, 0xA0A0A0);
  EXPECT_EQ(f.Canvas().GetPixel(7, 5) & 0xFFFFFF, cl::clWhite);
}

}  // namespace

}  // namespace html
