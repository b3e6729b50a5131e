// Plain text keeps many lines in one section; a document of it must answer
// every question exactly as a document of one preformatted section a line.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "html/document/preformated.h"
#include "html/document/preformated_lines.h"
#include "html/parse/html_parser.h"
#include "html/testing/layout_fixture.h"
#include "platform/core/string_list.h"

namespace html {

namespace {

// Lines that end and start with parts of one word, so that a match across a
// line end would be found; empty lines, blanks at line ends, tabs, and one
// line longer than a section is meant to hold.
std::string SampleText(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    switch (i % 7) {
      case 0: text += "line " + std::to_string(i) + " ends in ab"; break;
      case 1: text += "cd starts line " + std::to_string(i); break;
      case 2: break;
      case 3: text += "Mixed Case Words\tand a tab   "; break;
      case 4: text += std::string(static_cast<size_t>(i % 50), ' ') + "x"; break;
      case 5: text += i == 40 ? std::string(20000, 'w') + " end" : "mixed case words"; break;
      default: text += "   "; break;
    }
    text += "\n";
  }
  return text + "last line without an end";
}

class PlainTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cl::TStringList lines;
    lines.SetText(SampleText(200));
    cl::TStringList names;
    TextParseStrings(text.root, names, lines);
    // The reference: one preformatted section a line, in the same font.
    const TPreFormatedLines* first = nullptr;
    for (const auto& s : text.root) {
      const auto* block = dynamic_cast<const TPreFormatedLines*>(s.get());
      if (!block) continue;
      if (!first) first = block;
      ++blocks;
      for (int i = 0; i < block->LineCount(); ++i) {
        auto pre = std::make_unique<TPreFormated>(0, Justification::Left, nullptr, *first->Fonts[0]->RunFont);
        pre->AppendText(block->Line(i));
        reference.root.AddSection(std::move(pre));
        ++lineCount;
      }
    }
  }
  void LayOut(int32_t width) {
    const TLayoutResult laid = text.root.Layout(text.Canvas(), 0, 0, width);
    height = laid.Height;
    maxWidth = laid.MaxWidth;
    positions = laid.NextCurs;
    const TLayoutResult referenceLaid = reference.root.Layout(reference.Canvas(), 0, 0, width);
    referenceHeight = referenceLaid.Height;
    referenceMaxWidth = referenceLaid.MaxWidth;
    referencePositions = referenceLaid.NextCurs;
  }
  // The selection [from, to) as copied from doc.
  static std::string Copied(TSectionList& doc, int32_t from, int32_t to) {
    doc.SelFrom = from;
    doc.SelTo = to;
    std::string copied;
    ClipBuffer sink([&copied](std::string_view text) { copied = text; });
    doc.CopySelectionTo(sink);
    return copied;
  }

  LayoutFixture text, reference;
  int blocks = 0, lineCount = 0;
  int32_t height = 0, referenceHeight = 0, maxWidth = 0, referenceMaxWidth = 0;
  int32_t positions = 0, referencePositions = 0;
};

TEST_F(PlainTextTest, LinesShareSectionsWithoutEverSplittingALine) {
  EXPECT_EQ(lineCount, 202);  // and the empty line after the last line end
  EXPECT_GT(blocks, 3);
  EXPECT_LT(blocks, 20);
  ASSERT_GT(reference.root.Count(), 40);
  EXPECT_EQ(static_cast<const TSection&>(*reference.root[40]).Buff, std::string(20000, 'w') + " end");
  EXPECT_EQ(static_cast<const TSection&>(*reference.root[2]).Buff, " ");
  EXPECT_EQ(static_cast<const TSection&>(*reference.root[200]).Buff, "last line without an end");
}

TEST_F(PlainTextTest, LayoutPositionsAndCharactersAreThoseOfALineASection) {
  for (const int32_t width : {600, 40}) {
    SCOPED_TRACE(width);
    LayOut(width);
    EXPECT_EQ(height, referenceHeight);
    EXPECT_EQ(maxWidth, referenceMaxWidth);
    EXPECT_EQ(positions, referencePositions);
    for (int32_t p = -1; p <= positions + 1; ++p) {
      const auto hit = text.root.CharAt(p);
      const auto referenceHit = reference.root.CharAt(p);
      ASSERT_EQ(hit.has_value(), referenceHit.has_value()) << p;
      if (hit) {
        ASSERT_EQ(hit->Character, referenceHit->Character) << p;
      }
      const auto point = text.root.PositionToXY(text.Canvas(), p);
      const auto referencePoint = reference.root.PositionToXY(reference.Canvas(), p);
      ASSERT_EQ(point.has_value(), referencePoint.has_value()) << p;
      if (point) {
        ASSERT_EQ(point->Y, referencePoint->Y) << p;
        ASSERT_EQ(point->X, referencePoint->X) << p;
      }
    }
  }
}

TEST_F(PlainTextTest, TheCaretLandsWhereItWouldInALineASection) {
  LayOut(600);
  for (int32_t y = -2; y < height + 20; y += 5)
    for (int32_t x = -4; x < 500; x += 7) {
      const auto found = text.root.CaretAtXY(text.Canvas(), x, y);
      const auto referenceFound = reference.root.CaretAtXY(reference.Canvas(), x, y);
      ASSERT_EQ(found.has_value(), referenceFound.has_value()) << x << "," << y;
      if (!found) continue;
      const TCaretPlace& place = *found;
      const TCaretPlace& referencePlace = *referenceFound;
      ASSERT_EQ(place.Position, referencePlace.Position) << x << "," << y;
      ASSERT_EQ(place.InText, referencePlace.InText) << x << "," << y;
      ASSERT_EQ(place.LineY, referencePlace.LineY) << x << "," << y;
      ASSERT_EQ(place.LineHeight, referencePlace.LineHeight) << x << "," << y;
      ASSERT_EQ(place.CaretX, referencePlace.CaretX) << x << "," << y;
    }
}

TEST_F(PlainTextTest, SearchFindsWhatItFindsInALineASectionAndNeverAcrossALineEnd) {
  LayOut(600);
  struct Case {
    const char* pattern;
    bool matchCase;
    int minFound, maxFound;  // matches in the whole text
  } const cases[] = {
      {"abcd", false, 0, 0},         {"ab", true, 58, 58},       {"cd starts", true, 29, 29},
      {"MIXED CASE", false, 56, 56}, {"Mixed Case", true, 29, 29}, {"mixed case", true, 27, 27},
      {" ", true, 1000, 100000},     {"   ", true, 100, 100000},   {"wwwww end", true, 1, 1},
      {"tab   c", false, 0, 0},      {"x", true, 84, 84},          {"nowhere", false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    int found = 0;
    for (int32_t from = 0; from <= positions;) {
      const int32_t hit = text.root.SearchText(from, c.pattern, c.matchCase);
      ASSERT_EQ(hit, reference.root.SearchText(from, c.pattern, c.matchCase)) << from;
      if (hit < 0) break;
      ++found;
      from = hit + 1;
    }
    EXPECT_GE(found, c.minFound);
    EXPECT_LE(found, c.maxFound);
  }
}

TEST_F(PlainTextTest, ACopiedSelectionIsThatOfALineASection) {
  LayOut(600);
  std::vector<int32_t> ends = {0, 1, 5, positions - 1, positions, positions + 3};
  for (int32_t p = 7; p < positions; p += 997) ends.push_back(p);
  // Every line start and end of the first lines.
  int32_t lineStart = 0;
  for (int i = 0; i < 30; ++i) {
    const auto& line = static_cast<const TSection&>(*reference.root[i]);
    ends.push_back(lineStart);
    ends.push_back(lineStart + line.PosCount - 1);
    lineStart += line.PosCount;
  }
  for (const int32_t from : ends)
    for (const int32_t to : ends) {
      if (to - from > 30000) continue;  // the whole document once is enough
      ASSERT_EQ(Copied(text.root, from, to), Copied(reference.root, from, to)) << from << ".." << to;
    }
  const std::string all = Copied(text.root, 0, positions);
  EXPECT_EQ(all, Copied(reference.root, 0, positions));
  const std::string start = "line 0 ends in ab\r\ncd starts line 1\r\n \r\nMixed Case";
  EXPECT_EQ(all.substr(0, start.size()), start);
}

TEST_F(PlainTextTest, ThePagePaintsAsALineASectionWithTheSelectionShown) {
  LayOut(600);
  text.root.SelFrom = reference.root.SelFrom = 30;
  text.root.SelTo = reference.root.SelTo = 500;
  for (const int32_t scroll : {0, 37, 1000, height - 200}) {
    SCOPED_TRACE(scroll);
    for (LayoutFixture* doc : {&text, &reference}) {
      doc->Canvas().FillRect({0, 0, 600, 400}, cl::clWhite);
      doc->root.SetScrollOffset(scroll);
      doc->root.Draw(doc->Canvas(), {0, 0, 600, 400}, 0, 0, 600);
    }
    int differing = 0, ink = 0;
    for (int32_t y = 0; y < 400; ++y)
      for (int32_t x = 0; x < 600; ++x) {
        const cl::TColor pixel = text.Canvas().GetPixel(x, y);
        differing += pixel != reference.Canvas().GetPixel(x, y);
        ink += pixel != text.Canvas().GetPixel(599, 399);
      }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(ink, 1000);
  }
}

}  // namespace

}  // namespace html
