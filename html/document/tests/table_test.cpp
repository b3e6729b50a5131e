#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <string>
#include <vector>

#include "html/document/block_sections.h"
#include "html/document/table.h"
#include "html/testing/layout_fixture.h"

namespace html {

namespace {

using Attrs = std::vector<std::pair<HtmlSymbol, std::string>>;

TAttributeList List(const Attrs& attributes) {
  TAttributeList list;
  for (const auto& [code, text] : attributes) list.Add(LayoutFixture::Attr(code, text, std::atoi(text.c_str())));
  return list;
}

// Builds tables as the parser does: rows of cells, each cell a small document.
class TableFixture : public LayoutFixture {
 public:
  ThtmlTable& NewTable(TCell& owner, const Attrs& attributes = {}) {
    auto table = std::make_unique<ThtmlTable>(&root, 0, &owner, Justification::Left, List(attributes));
    ThtmlTable& added = *table;
    owner.AddSection(std::move(table));
    return added;
  }
  ThtmlTable& NewTable(const Attrs& attributes = {}) { return NewTable(root, attributes); }
  static TCellList& NewRow(ThtmlTable& table) {
    table.Rows.push_back(std::make_unique<TCellList>());
    return *table.Rows.back();
  }
  TCellObj& NewCell(TCellList& row, const std::string& text, const Attrs& attributes = {}, uint8_t vAlign = 0) {
    auto cell = std::make_unique<TCellObj>(&root, List(attributes), vAlign);
    if (!text.empty()) {
      auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *Font());
      section->AppendText(text);
      cell->Cell->AddSection(std::move(section));
    }
    TCellObj& added = *cell;
    row.Add(std::move(cell));
    return added;
  }
  void Draw(int width = 600) {
    Canvas().FillRect({0, 0, 600, 400}, cl::clWhite);
    root.Draw(Canvas(), {0, 0, width, 400}, 0, 0, width);
  }
  cl::TColor Pixel(int x, int y) { return Canvas().GetPixel(x, y) & 0xFFFFFF; }
};

int32_t Sum(const std::vector<int32_t>& values) { return std::accumulate(values.begin(), values.end(), 0); }

TEST(Table, AttributesAreReadWithTheirLimits) {
  TableFixture f;
  struct Case {
    Attrs attributes;
    int32_t padding, spacing, width;
    bool border, percent;
  } const cases[] = {
      {{{BorderSy, "1"}}, 1, 4, 0, true, false},
      {{{CellPaddingSy, "80"}, {CellSpacingSy, "-3"}}, 50, 2, 0, false, false},
      {{{CellSpacingSy, "100"}, {BorderSy, "0"}}, 1, 40, 0, false, false},
      {{{WidthSy, "150%"}}, 1, 2, 0, false, true},
      {{{WidthSy, "50%"}}, 1, 2, 500, false, true},
      {{{WidthSy, "2147483647"}}, 1, 2, 32000, false, false},
  };
  for (const Case& c : cases) {
    const ThtmlTable table(&f.root, 0, &f.root, Justification::Left, List(c.attributes));
    EXPECT_EQ(table.CellPadding, c.padding);
    EXPECT_EQ(table.CellSpacing, c.spacing);
    EXPECT_EQ(table.TableWidthAttr, c.width);
    EXPECT_EQ(table.Border, c.border);
    EXPECT_EQ(table.TableWidthIsPercent, c.percent);
  }
  const ThtmlTable aligned(&f.root, 0, &f.root, Justification::Center,
                           List({{AlignSy, "right"}, {HSpaceSy, "-30"}, {BGColorSy, "red"}, {BorderColorSy, "#00FF00"}}));
  EXPECT_EQ(aligned.Align, Justification::Right);
  EXPECT_TRUE(aligned.Float);
  EXPECT_EQ(aligned.HSpace, 20);
  EXPECT_TRUE(aligned.HasBackground);
  EXPECT_EQ(aligned.BackgroundColor & 0xFFFFFF, cl::clRed);
  EXPECT_EQ(aligned.BorderColor & 0xFFFFFF, cl::clLime);
  const ThtmlTable centred(&f.root, 0, &f.root, Justification::Left, List({{AlignSy, "Center"}, {AlignSy, "bottom"}}));
  EXPECT_EQ(centred.Align, Justification::Center);
  EXPECT_FALSE(centred.Float);
}

TEST(Table, SpansExpandIntoAGridOfPlaceholders) {
  TableFixture f;
  ThtmlTable& table = f.NewTable();
  TCellList& first = f.NewRow(table);
  f.NewCell(first, "a", {{ColSpanSy, "3"}});
  TCellList& second = f.NewRow(table);
  f.NewCell(second, "b", {{RowSpanSy, "5"}});
  f.NewCell(second, "c");
  f.NewCell(second, "d");
  TCellList& third = f.NewRow(table);
  f.NewCell(third, "e");
  table.BuildGrid();
  EXPECT_EQ(table.NumCols, 3);
  auto shape = [](const TCellList& row) {
    std::string out;
    for (const auto& cell : row.Cells) out += cell ? 'C' : '-';
    return out;
  };
  EXPECT_EQ(shape(first), "C--");
  EXPECT_EQ(shape(second), "CCC");
  EXPECT_EQ(shape(third), "-C");
  EXPECT_EQ(second.Cells[0]->RowSpan, 2);  // cut to the rows remaining

  ThtmlTable& middle = f.NewTable();
  TCellList& upper = f.NewRow(middle);
  f.NewCell(upper, "a");
  f.NewCell(upper, "b", {{RowSpanSy, "2"}, {ColSpanSy, "2"}});
  f.NewCell(upper, "c");
  TCellList& lower = f.NewRow(middle);
  f.NewCell(lower, "d");
  f.NewCell(lower, "e");
  f.NewCell(lower, "f");
  middle.BuildGrid();
  EXPECT_EQ(shape(upper), "CC-C");
  EXPECT_EQ(shape(lower), "C--CC");
  EXPECT_EQ(middle.NumCols, 5);
}

TEST(Table, SpansStopGrowingTheGridPastItsBound) {
  TableFixture f;
  ThtmlTable& table = f.NewTable();
  for (int r = 0; r < 5000; ++r) f.NewCell(f.NewRow(table), "", {{ColSpanSy, "1000"}});
  table.BuildGrid();
  int64_t places = 0;
  for (const auto& row : table.Rows) places += row->Count();
  EXPECT_LE(places, ThtmlTable::MaxGridPlaces + 5000);
  EXPECT_EQ(table.NumCols, 1000);
  EXPECT_EQ(table.Rows.back()->Cells[0]->ColSpan, 1);
}

TEST(Table, HugeSpansAreCutAndColumnsGrowWithoutALimit) {
  TableFixture f;
  ThtmlTable& table = f.NewTable();
  TCellList& row = f.NewRow(table);
  const TCellObj& huge =
      f.NewCell(row, "a", {{ColSpanSy, "2000000000"}, {RowSpanSy, "2000000000"}, {WidthSy, "2147483647"}});
  EXPECT_EQ(huge.ColSpan, ThtmlTable::MaxSpan);
  EXPECT_EQ(huge.RowSpan, ThtmlTable::MaxSpan);
  EXPECT_EQ(huge.WidthAttr, ThtmlTable::MaxPixels);
  EXPECT_EQ(f.NewCell(row, "", {{HeightSy, "-5"}}).HeightAttr, 0);
  EXPECT_EQ(f.NewCell(row, "", {{HeightSy, "2147483647"}}).HeightAttr, ThtmlTable::MaxPixels);
  for (int i = 0; i < 40; ++i) f.NewCell(row, "x");
  f.NewRow(table);
  EXPECT_GT(f.Layout(600), 0);
  EXPECT_EQ(table.NumCols, ThtmlTable::MaxSpan + 42);
  EXPECT_FALSE(table.Dropped);
  EXPECT_TRUE(f.root.ProcessErrors.empty());
  EXPECT_EQ(row.Cells[0]->RowSpan, 2);
  EXPECT_EQ(row.Cells[0]->WidthAttr, ThtmlTable::MaxPixels);
  EXPECT_EQ(table.GridWidth, table.CellSpacing + Sum(table.Widths));
}

TEST(Table, CellsAreSizedFromTheirTextAndPlacedInsidePaddingAndSpacing) {
  TableFixture f;
  ThtmlTable& table = f.NewTable({{CellPaddingSy, "3"}, {CellSpacingSy, "4"}});
  TCellList& row = f.NewRow(table);
  TCellObj& a = f.NewCell(row, "ab");
  TCellObj& b = f.NewCell(row, "abcd efgh");
  const TWidths widths = table.MeasureWidths(f.Canvas());
  // e = 2 x 3 + 4 = 10 per cell, plus the spacing once.
  EXPECT_EQ(widths.Min, 16 + 10 + 32 + 10 + 4);
  EXPECT_EQ(widths.Max, 16 + 10 + 72 + 10 + 4);
  EXPECT_EQ(f.Layout(600), 16 + 10 + 4);
  EXPECT_EQ(table.Widths, (std::vector<int32_t>{26, 82}));
  EXPECT_EQ(table.GridWidth, 112);
  EXPECT_EQ(a.SpanWidth, 26);
  EXPECT_EQ(b.SpanHeight, 26);
  // The narrow width breaks the second cell's text.
  EXPECT_EQ(f.Layout(80), 2 * 16 + 10 + 4);
  EXPECT_EQ(table.Widths, (std::vector<int32_t>{26, 50}));  // 42 + the spare 8 of 76
  f.Layout(600);
  f.Draw();
  // The text of the first cell starts at 4 + 3 = 7 (each character a box).
  EXPECT_EQ(f.Pixel(6, 10), cl::clWhite);
  EXPECT_EQ(f.Pixel(7, 10), cl::clBlack);
  EXPECT_EQ(f.Pixel(26 + 7, 10), cl::clBlack);
}

TEST(Table, ATallRowSpanGrowsItsRowsEquallyTheLastTakingTheRemainder) {
  TableFixture f;
  ThtmlTable& table = f.NewTable({{CellPaddingSy, "0"}, {CellSpacingSy, "0"}});
  TCellList& first = f.NewRow(table);
  TCellObj& tall = f.NewCell(first, "a", {{RowSpanSy, "2"}, {HeightSy, "101"}});
  f.NewCell(first, "b");
  TCellList& second = f.NewRow(table);
  f.NewCell(second, "c");
  EXPECT_EQ(f.Layout(600), 101);
  // 101 - (16 + 16) = 69: 34 to each row, 1 more to the second.
  EXPECT_EQ(first.RowHeight, 16 + 34);
  EXPECT_EQ(second.RowHeight, 16 + 35);
  EXPECT_EQ(tall.SpanHeight, 101);
  EXPECT_EQ(first.RowDrawHeight, 101);
}

TEST(Table, RowSpansAreSettledShortestFirst) {
  TableFixture f;
  ThtmlTable& table = f.NewTable({{CellPaddingSy, "0"}, {CellSpacingSy, "0"}});
  TCellList& r0 = f.NewRow(table);
  f.NewCell(r0, "a", {{RowSpanSy, "3"}, {HeightSy, "120"}});
  f.NewCell(r0, "x");
  f.NewCell(f.NewRow(table), "x");
  TCellList& r2 = f.NewRow(table);
  f.NewCell(r2, "b", {{RowSpanSy, "2"}, {HeightSy, "100"}});
  f.NewCell(r2, "x");
  f.NewCell(f.NewRow(table), "x");
  f.Layout(600);
  // Span 2 first: rows 2 and 3 grow from 16 to 50. Then span 3 over
  // 16 + 16 + 50 = 82: 12 more each, the remainder 2 to row 2.
  std::vector<int32_t> heights;
  for (const auto& row : table.Rows) heights.push_back(row->RowHeight);
  EXPECT_EQ(heights, (std::vector<int32_t>{28, 28, 64, 50}));
  EXPECT_EQ(table.Rows[0]->Cells[0]->SpanHeight, 120);
}

TEST(Table, AFrameReachingPastTheClipIsDrawnOnlyInsideIt) {
  TableFixture f;
  ThtmlTable& table = f.NewTable({{BorderSy, "1"}, {CellPaddingSy, "2"}});  // spacing 4
  for (int r = 0; r < 40; ++r) f.NewCell(f.NewRow(table), "a");
  f.Layout(600);
  ASSERT_GT(table.FlowHeight, 400);
  f.Canvas().FillRect({0, 0, 600, 400}, cl::clWhite);
  f.root.Draw(f.Canvas(), {0, 100, 600, 200}, 0, 0, 600);
  const cl::TColor shadow = cl::ColorToRGB(cl::clBtnShadow) & 0xFFFFFF;
  // The raised grid frame's sides run through the clip...
  for (const int y : {100, 150, 199}) {
    EXPECT_EQ(f.Pixel(0, y), cl::clSilver) << y;
    EXPECT_EQ(f.Pixel(table.GridWidth - 2, y), shadow) << y;
  }
  // ...and no top or bottom edge appears where the frame was cut.
  for (const int y : {99, 100, 199, 200}) EXPECT_EQ(f.Pixel(1, y), cl::clWhite) << y;
}

TEST(Table, VerticalAlignmentOffsetsTheContent) {
  TableFixture f;
  ThtmlTable& table = f.NewTable({{CellPaddingSy, "0"}, {CellSpacingSy, "0"}});
  TCellList& row = f.NewRow(table);
  f.NewCell(row, "a", {{HeightSy, "60"}});
  TCellObj& top = f.NewCell(row, "b", {}, 0);
  TCellObj& middle = f.NewCell(row, "c", {}, 1);
  TCellObj& bottom = f.NewCell(row, "d", {}, 2);
  f.Layout(600);
  EXPECT_EQ(top.ContentOffset, 0);
  EXPECT_EQ(middle.ContentOffset, 22);
  EXPECT_EQ(bottom.ContentOffset, 44);
  EXPECT_EQ(bottom.Cell->Items(0)->PlacedY, 44);
}

TEST(Table, NarrowTablesAreIndentedByTheirAlignmentAndFloatingOnesLetTextBeside) {
  TableFixture f;
  ThtmlTable& centred = f.NewTable({{AlignSy, "center"}, {CellSpacingSy, "0"}, {CellPaddingSy, "0"}});
  f.NewCell(f.NewRow(centred), "abcde");  // 40 wide in 200
  EXPECT_EQ(f.Layout(200), 16);
  EXPECT_EQ(centred.TableIndent, 80);
  EXPECT_EQ(centred.GridOffset, 80);

  TableFixture g;
  ThtmlTable& right = g.NewTable({{AlignSy, "right"}, {CellSpacingSy, "0"}, {CellPaddingSy, "0"}});
  g.NewCell(g.NewRow(right), "abcde");
  TSection& text = g.AddText("aaaa bbbb cccc");
  EXPECT_EQ(g.Layout(200), 16);
  EXPECT_EQ(right.FlowHeight, 0);
  EXPECT_EQ(right.PaintHeight, 16);
  EXPECT_EQ(right.TableIndent, 160);
  // Text flows to the left of the table: 200 - (40 + 5 + 1) = 154 pixels, 19 characters.
  EXPECT_EQ(text.Lines.size(), 1u);
  EXPECT_EQ(text.Lines[0].Ln, 14);
}

TEST(Table, BordersAreRaisedAroundTheGridAndSunkenAroundCells) {
  TableFixture f;
  ThtmlTable& table = f.NewTable({{BorderSy, "1"}, {CellPaddingSy, "2"}});  // spacing 4
  f.NewCell(f.NewRow(table), "a");
  f.Layout(600);
  f.Draw();
  // Cell: 8 + 4 + 4 = 16 wide, 16 + 4 + 4 = 24 high; grid 20 x 28.
  const cl::TColor shadow = cl::ColorToRGB(cl::clBtnShadow) & 0xFFFFFF;
  EXPECT_EQ(table.GridWidth, 20);
  EXPECT_EQ(table.FlowHeight, 28);
  // Raised grid frame from (0, 0) to (19, 27) exclusive: light top-left, shadow bottom-right.
  EXPECT_EQ(f.Pixel(0, 10), cl::clSilver);
  EXPECT_EQ(f.Pixel(10, 0), cl::clSilver);
  EXPECT_EQ(f.Pixel(18, 10), shadow);
  EXPECT_EQ(f.Pixel(10, 26), shadow);
  EXPECT_EQ(f.Pixel(19, 10), cl::clWhite);
  // Sunken cell frame from (3, 3) to (16, 24) exclusive: shadow top-left, light bottom-right.
  EXPECT_EQ(f.Pixel(3, 10), shadow);
  EXPECT_EQ(f.Pixel(10, 3), shadow);
  EXPECT_EQ(f.Pixel(15, 10), cl::clSilver);
  EXPECT_EQ(f.Pixel(10, 23), cl::clSilver);
  EXPECT_EQ(f.Pixel(2, 10), cl::clWhite);
  EXPECT_EQ(f.Pixel(16, 10), cl::clWhite);
}

TEST(Table, BackgroundsFillCellsAndABorderColourFillsTheSpacing) {
  TableFixture f;
  ThtmlTable& table = f.NewTable({{BGColorSy, "blue"}, {BorderColorSy, "red"}, {CellSpacingSy, "3"}});
  TCellList& row = f.NewRow(table);
  row.ReadAttributes(List({{BGColorSy, "lime"}}));
  f.NewCell(row, "", {{HeightSy, "20"}});
  f.NewCell(row, "", {{BGColorSy, "yellow"}, {WidthSy, "20"}, {HeightSy, "20"}});
  f.NewCell(f.NewRow(table), "", {{WidthSy, "20"}, {HeightSy, "20"}});
  f.Layout(600);
  f.Draw();
  EXPECT_EQ(f.Pixel(1, 1), cl::clRed);          // spacing
  EXPECT_EQ(f.Pixel(5, 5), cl::clLime);          // the row's colour
  const int32_t second = table.Widths[0];
  EXPECT_EQ(f.Pixel(second + 5, 5), cl::clYellow);  // the cell's own
  EXPECT_EQ(f.Pixel(5, table.Rows[0]->RowHeight + 5), cl::clBlue);  // the table's
  EXPECT_EQ(f.Pixel(second + 1, 5), cl::clRed);
  // The print copy paints no backgrounds.
  TSectionList copy(f.root);
  const auto& copied = static_cast<const ThtmlTable&>(*copy[0]);
  EXPECT_FALSE(copied.HasBorderColor);
  EXPECT_FALSE(copied.HasBackground);
  EXPECT_EQ(copied.Widths, table.Widths);
  EXPECT_FALSE(copied.Rows[0]->Cells[0]->Cell->HasBackground);
}

TEST(Table, AFortyColumnTableNestedInATableLaysOutAndDraws) {
  TableFixture f;
  ThtmlTable& outer = f.NewTable({{BorderSy, "1"}});
  TCellList& row = f.NewRow(outer);
  f.NewCell(row, "left");
  TCellObj& holder = f.NewCell(row, "");
  ThtmlTable& inner = f.NewTable(*holder.Cell, {{CellSpacingSy, "0"}, {CellPaddingSy, "0"}});
  for (int r = 0; r < 2; ++r) {
    TCellList& innerRow = f.NewRow(inner);
    for (int c = 0; c < 40; ++c) f.NewCell(innerRow, c % 2 ? "x" : "y");
  }
  EXPECT_GT(f.Layout(500), 0);
  EXPECT_EQ(inner.NumCols, 40);
  EXPECT_EQ(inner.Widths, std::vector<int32_t>(40, 8));
  EXPECT_EQ(inner.GridWidth, 320);
  EXPECT_EQ(inner.FlowHeight, 32);
  EXPECT_TRUE(f.root.ProcessErrors.empty());
  f.Draw();
  // The inner table's first cell is drawn inside the outer's second cell.
  const int32_t x = outer.DrawX + outer.Widths[0] + outer.CellSpacing + outer.CellPadding;
  EXPECT_EQ(inner.DrawX, x);
  EXPECT_NE(f.Pixel(x + 1, inner.DrawY + 6), cl::clWhite);
  EXPECT_NE(f.Pixel(x + 39 * 8 + 1, inner.DrawY + 16 + 6), cl::clWhite);
}

// A section that counts how often it is laid out.
class CountingSection : public TSectionBase {
 public:
  explicit CountingSection(int& count) : count_(count) { FlowHeight = 10; }
  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) override {
    ++count_;
    return TSectionBase::Layout(canvas, y, indents, curs);
  }
  TWidths MeasureWidths(cl::TCanvas&) override { return {30, 30}; }

 private:
  int& count_;
};

TEST(Table, NestedTablesLayEachInnerCellOutOnlyAFewTimesPerLevel) {
  for (const uint8_t vAlign : {uint8_t{0}, uint8_t{1}}) {
    TableFixture f;
    int layouts = 0;
    TCell* owner = &f.root;
    constexpr int Depth = 16;
    for (int level = 0; level < Depth; ++level) {
      ThtmlTable& table = f.NewTable(*owner);
      TCellList& row = f.NewRow(table);
      // A taller neighbour makes the middle-aligned content move.
      f.NewCell(row, "", {{HeightSy, std::to_string(2000 - level * 10)}}, vAlign);
      TCellObj& cell = f.NewCell(row, "", {}, vAlign);
      owner = cell.Cell.get();
    }
    owner->AddSection(std::make_unique<CountingSection>(layouts));
    f.Layout(600);
    EXPECT_LE(layouts, 2 * Depth + 2) << int(vAlign);
    layouts = 0;
    f.Layout(600);
    EXPECT_LE(layouts, 2 * Depth + 2) << int(vAlign);
  }
}

TEST(Table, TablesNestedBeyondTheLimitAreLaidOutEmpty) {
  TableFixture f;
  int layouts = 0;
  TCell* owner = &f.root;
  std::vector<ThtmlTable*> tables;
  for (int level = 0; level < ThtmlTable::MaxNesting + 50; ++level) {
    ThtmlTable& table = f.NewTable(*owner);
    tables.push_back(&table);
    owner = f.NewCell(f.NewRow(table), "").Cell.get();
  }
  owner->AddSection(std::make_unique<CountingSection>(layouts));
  EXPECT_GT(f.Layout(600), 0);
  EXPECT_EQ(layouts, 0);
  EXPECT_GT(tables[ThtmlTable::MaxNesting]->FlowHeight, 0);
  EXPECT_EQ(tables[ThtmlTable::MaxNesting + 1]->FlowHeight, 0);
  f.Draw();
  EXPECT_EQ(f.root.SearchText(0, "x", false), -1);
}

TEST(Table, TextPositionsRunThroughCaptionAndCellsInDocumentOrder) {
  TableFixture f;
  f.AddText("before");
  ThtmlTable& table = f.NewTable();
  auto caption = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
  caption->AppendText("cap");
  table.Caption->Cell->AddSection(std::move(caption));
  TCellList& row = f.NewRow(table);
  f.NewCell(row, "one");
  f.NewCell(row, "two");
  f.NewCell(f.NewRow(table), "three");
  f.AddText("after");
  f.Layout(600);
  EXPECT_EQ(table.FirstPos, 6);
  EXPECT_EQ(table.PosCount, 3 + 3 + 3 + 5);
  EXPECT_EQ(f.root.SearchText(0, "three", false), 6 + 9);
  EXPECT_EQ(f.root.SearchText(0, "after", false), 6 + 14);
  const auto hit = f.root.CharAt(6 + 3);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->Character, 'o');
  f.Draw();
  f.root.SelFrom = 0;
  f.root.SelTo = 30;
  std::string copied;
  f.root.CopySelectionToClipboard([&](std::string_view text) { copied = text; });
  EXPECT_EQ(copied, "before\r\ncap\r\none\r\ntwo\r\nthree\r\nafter\r\n");
  // The caret in the second cell: its content offset is added back.
  const int32_t y = table.CaptionHeight + table.CellSpacing + table.CellPadding + 4;
  const int32_t x = table.DrawX + table.Widths[0] + table.CellSpacing + table.CellPadding + 9;
  const auto place = table.CaretAt(f.Canvas(), x, y);
  ASSERT_TRUE(place);
  EXPECT_EQ(place->Position, 6 + 3 + 3 + 1);
  EXPECT_EQ(place->LineY, table.CaptionHeight + table.CellSpacing + table.CellPadding);
}

}  // namespace

namespace {

// A centred table without padding or spacing: "plain" and a link in its
// row, a linked caption below.
ThtmlTable& LinkedTable(TableFixture& f) {
  ThtmlTable& table = f.NewTable({{CellPaddingSy, "0"}, {CellSpacingSy, "0"}, {AlignSy, "center"}});
  table.CaptionOnTop = false;
  static const TUrlTarget cellLink("cell.htm", ""), captionLink("caption.htm", "");
  auto linked = [&](const TUrlTarget& link, const std::string& text) {
    auto section = std::make_unique<TSection>(0, Justification::Left, &link, *f.Font());
    section->AppendText(text);
    return section;
  };
  TCellList& row = f.NewRow(table);
  f.NewCell(row, "plain");
  f.NewCell(row, "").Cell->AddSection(linked(cellLink, "link"));
  table.Caption->Cell->AddSection(linked(captionLink, "caption"));
  return table;
}

TEST(Table, LinksAreFoundInCellsAndInABottomCaption) {
  TableFixture f;
  ThtmlTable& table = LinkedTable(f);
  f.Layout(200);
  f.Draw(200);
  // Grid 9 characters wide centred in 200: from 64; the caption is as wide.
  EXPECT_EQ(table.DrawX, 64);
  EXPECT_EQ(table.GridHeight, 16);
  const auto cell = table.LinkAt(f.Canvas(), 64 + 5 * 8 + 4, 8);
  ASSERT_TRUE(cell && cell->UrlTarget);
  EXPECT_EQ(cell->UrlTarget->Url, "cell.htm");
  EXPECT_FALSE(table.LinkAt(f.Canvas(), 64 + 4, 8));
  const auto caption = table.LinkAt(f.Canvas(), 64 + 4, 16 + 8);
  ASSERT_TRUE(caption && caption->UrlTarget);
  EXPECT_EQ(caption->UrlTarget->Url, "caption.htm");
  EXPECT_FALSE(table.LinkAt(f.Canvas(), 64 + 4, 40));  // below the table
  EXPECT_FALSE(table.LinkAt(f.Canvas(), 10, 8));       // left of the grid
}

TEST(Table, LinksInCellsAndCaptionsAreFoundBeforeTheFirstPaint) {
  TableFixture f;
  ThtmlTable& table = LinkedTable(f);
  // The document will be drawn 30 pixels in; the grid is centred in 200 from 64.
  f.root.Indents->OriginX = 30;
  f.Layout(200);
  struct Case {
    int32_t x, y;
    const char* url;  // nullptr: no link
  };
  const Case cases[] = {
      {30 + 64 + 5 * 8 + 4, 8, "cell.htm"},   {30 + 64 + 8 * 8 + 4, 8, "cell.htm"},
      {30 + 64 + 4, 8, nullptr},              {30 + 64 + 4, 16 + 8, "caption.htm"},
      {30 + 64 + 6 * 8 + 4, 16 + 8, "caption.htm"}, {30 + 10, 8, nullptr},
  };
  for (int painted = 0; painted < 2; ++painted) {
    EXPECT_EQ(table.DrawX, 30 + 64);
    for (const Case& c : cases) {
      const auto found = f.root.LinkAt(f.Canvas(), c.x, c.y);
      EXPECT_EQ(found.has_value(), c.url != nullptr) << c.x << "," << c.y << " painted " << painted;
      if (found && c.url) {
        ASSERT_TRUE(found->UrlTarget);
        EXPECT_EQ(found->UrlTarget->Url, c.url);
      }
      const auto place = f.root.CaretAtXY(f.Canvas(), c.x, c.y);
      if (c.url) {
        ASSERT_TRUE(place) << c.x << "," << c.y;
        EXPECT_EQ(place->CaretX, c.x - 4) << place->Position;
      }
    }
    f.Canvas().FillRect({0, 0, 600, 400}, cl::clWhite);
    f.root.Draw(f.Canvas(), {0, 0, 300, 400}, 30, 0, 300);
  }
}

TEST(Table, APrintedTableThatWouldCrossThePageEndStartsTheNextPage) {
  TableFixture f;
  f.root.AddSection(std::make_unique<THeadingSpace>(1));  // 16 high
  ThtmlTable& table = f.NewTable({{CellPaddingSy, "0"}, {CellSpacingSy, "0"}});
  f.NewCell(f.NewRow(table), "", {{HeightSy, "60"}});
  f.Layout(200);
  f.root.IsPrintCopy = true;
  f.Canvas().FillRect({0, 0, 600, 400}, cl::clWhite);
  // A page of 70 clipped at 20: the table at 16 starts in its upper half and is drawn.
  f.root.PageLimitY = 70;
  table.Draw(f.Canvas(), {0, 0, 200, 70}, *f.root.Indents, 0, 16);
  EXPECT_EQ(f.root.PageLimitY, 70);
  // Starting at 40 of a 70 page it would cross the end: the page ends above it.
  table.Draw(f.Canvas(), {0, 0, 200, 70}, *f.root.Indents, 0, 40);
  EXPECT_EQ(f.root.PageLimitY, 40);
}

}  // namespace

}  // namespace html
