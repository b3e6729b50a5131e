#include "html/frames/frame_sizes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace html {

namespace {

using Codes = std::vector<std::int32_t>;

TAttributeList Attributes(std::initializer_list<std::pair<HtmlSymbol, std::string>> values) {
  TAttributeList list;
  for (const auto& [code, text] : values) {
    std::int32_t number = 0;
    try {
      number = std::stoi(text);
    } catch (const std::exception&) {
    }
    list.Add(std::make_unique<TAttribute>(code, text, number));
  }
  return list;
}

TEST(FrameSizes, SizeListsGiveTheirCodes) {
  struct Case {
    const char* text;
    Codes codes;
  };
  const Case cases[] = {
      {"100,*,2*", {100, -1, -2}},
      {"30%,*", {-130, -1}},
      {"0,*", {1, -1}},                 // a number below 1 counts as 1
      {"150*", {-99}},                  // weights stop at 99
      {"950%", {-1000}},                // percentages above 900 count as 900
      {"6000", {5000}},                 // pixels stop at 5000
      {" 50 % , 2 * ,", {-150, -2, -1}},  // blanks skipped; the end is a final separator
      {"", {-1}},
      {"abc,x20", {-1, 20}},
      {"2.5*", {-2}},                   // up to the "*" the rest of the entry is skipped
      {"*3", {-1}},
      // Numbers that are no 32-bit integer saturate before they are clamped.
      {"99999999999,99999999999999999999999*,4294967296%", {5000, -99, -1000}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseFrameSizeList(c.text), c.codes) << c.text;
  EXPECT_EQ(ParseFrameSizeList("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22").size(), 20u);
}

TEST(FrameSizes, RowsWinUnlessTheyGiveAtMostOneCode) {
  struct Case {
    std::initializer_list<std::pair<HtmlSymbol, std::string>> attributes;
    bool splitRows;
    Codes codes;
  };
  const Case cases[] = {
      {{{RowsSy, "*"}, {ColsSy, "50%,50%"}}, false, {-150, -150}},
      {{{RowsSy, "*,*"}, {ColsSy, "50%,50%"}}, true, {-1, -1}},
      {{{ColsSy, "10,*"}}, false, {10, -1}},
      {{{RowsSy, "10"}}, true, {10}},
      {{}, false, {}},
  };
  for (const Case& c : cases) {
    const TFrameDimensions dimensions = ParseFrameDimensions(Attributes(c.attributes));
    EXPECT_EQ(dimensions.SplitRows, c.splitRows);
    EXPECT_EQ(dimensions.SizeCodes, c.codes);
    EXPECT_FALSE(dimensions.FrameBorder.has_value());
  }
}

TEST(FrameSizes, BorderAttributesSetTheBorderAndTheInset) {
  EXPECT_EQ(ParseFrameDimensions(Attributes({{BorderSy, "0"}})).FrameBorder, 0);
  EXPECT_EQ(ParseFrameDimensions(Attributes({{FrameBorderSy, "4"}})).FrameBorder, 4);
  EXPECT_EQ(ParseFrameDimensions(Attributes({{BorderSy, "1"}, {FrameBorderSy, "3"}})).FrameBorder, 3);
  EXPECT_EQ(BevelInsetFor(0), 2);
  EXPECT_EQ(BevelInsetFor(1), 1);
  EXPECT_EQ(BevelInsetFor(2), 0);
  EXPECT_EQ(BevelInsetFor(4), 0);
}

TEST(FrameSizes, CalcSizesSharesTheExtent) {
  struct Case {
    const char* list;
    std::int32_t extent;
    Codes sizes;
  };
  const Case cases[] = {
      {"100,*,2*", 400, {100, 100, 200}},
      {"30%,*", 500, {150, 350}},
      {"50%,50%,100", 300, {100, 100, 100}},
      {"200,300", 250, {100, 150}},   // no free space: pixels scaled down
      {"200,*,10%", 200, {200, 0, 0}},
      {"80%,80%", 100, {50, 50}},     // percentages never take more than is free
      {"*,*,*", 100, {33, 33, 33}},
      {"100,50", 400, {100, 50}},     // free space without weights stays unused
      // Zero and negative extents give sizes of 0 instead of dividing by zero.
      {"*,2*", 0, {0, 0}},
      {"30%,*", 0, {0, 0}},
      {"100,*", 0, {0, 0}},
      {"100,200", -5, {0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CalcFrameSizes(ParseFrameSizeList(c.list), c.extent), c.sizes) << c.list << " in " << c.extent;
  EXPECT_TRUE(CalcFrameSizes({}, 300).empty());
}

TEST(FrameSizes, PlacingScalesSizesToTheInnerExtent) {
  EXPECT_EQ(PlaceFrameBorders({100, 100, 200}, 400), (Codes{0, 100, 200, 400}));
  EXPECT_EQ(PlaceFrameBorders({100, 100, 200}, 200), (Codes{0, 50, 100, 200}));
  EXPECT_EQ(PlaceFrameBorders({33, 33, 33}, 99), (Codes{0, 33, 66, 99}));
  // A zero total places every child with extent 0.
  EXPECT_EQ(PlaceFrameBorders({0, 0}, 300), (Codes{0, 0, 0}));
  EXPECT_EQ(PlaceFrameBorders({}, 300), (Codes{0}));
  EXPECT_EQ(PlaceFrameBorders({10, 20}, -4), (Codes{0, 0, 0}));
}

TEST(FrameSizes, DraggedBordersGiveNewSizesWithTheSameTotal) {
  Codes borders = PlaceFrameBorders({100, 100, 200}, 400);
  MoveBorder(borders, 1, 150);
  EXPECT_EQ(borders, (Codes{0, 150, 200, 400}));
  EXPECT_EQ(SizesFromBorders(borders, 400), (Codes{150, 50, 200}));
  // Placed at half the size, the new sizes still scale to the full total.
  EXPECT_EQ(SizesFromBorders({0, 30, 200}, 400), (Codes{60, 340}));
  // A border cannot pass its neighbours: it stays one pixel inside them.
  MoveBorder(borders, 2, 10);
  EXPECT_EQ(borders[2], 151);
  MoveBorder(borders, 2, 9999);
  EXPECT_EQ(borders[2], 399);
  // The outer edges are not borders that move.
  MoveBorder(borders, 0, 50);
  MoveBorder(borders, 3, 50);
  EXPECT_EQ(borders.front(), 0);
  EXPECT_EQ(borders.back(), 400);
  // A set placed at extent 0 gives sizes of 0.
  EXPECT_EQ(SizesFromBorders({0, 0, 0}, 400), (Codes{0, 0}));
  EXPECT_TRUE(SizesFromBorders({0}, 400).empty());
}

TEST(FrameSizes, NearestBorderIsFoundAmongTheInnerBorders) {
  const Codes borders{0, 100, 104, 400};
  struct Case {
    std::int32_t coordinate;
    int index;
    std::int32_t distance;
  };
  const Case cases[] = {
      {99, 1, 1},
      {101, 1, 1},
      {102, 1, 2},
      {0, 1, 100},  // the outer edges never count
      {399, 2, 295},
  };
  for (const Case& c : cases) {
    const TNearestBorder nearest = FindNearestBorder(borders, c.coordinate);
    EXPECT_EQ(nearest.Index, c.index) << c.coordinate;
    EXPECT_EQ(nearest.Distance, c.distance) << c.coordinate;
  }
  // Borders that meet: the later one when the point lies at or after them.
  EXPECT_EQ(FindNearestBorder({0, 100, 100, 400}, 101).Index, 2);
  EXPECT_EQ(FindNearestBorder({0, 100, 100, 400}, 100).Index, 2);
  EXPECT_EQ(FindNearestBorder({0, 100, 100, 400}, 99).Index, 1);
  EXPECT_EQ(FindNearestBorder({0, 400}, 200).Index, 0);
  EXPECT_EQ(FindNearestBorder({}, 200).Index, 0);
}

TEST(FrameSizes, FixedChildrenBlockTheBordersOnBothSides) {
  EXPECT_EQ(BlockedBordersFor({false, true, false}), (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(BlockedBordersFor({true, false}), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(BlockedBordersFor({false, false}), (std::vector<bool>{false, false, false}));
}

}  // namespace

}  // namespace html
