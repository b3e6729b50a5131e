#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "html/document/attributes.h"
#include "html/document/colors.h"
#include "html/document/free_list.h"
#include "html/document/html_common.h"
#include "html/document/map_item.h"
#include "html/document/selection_sinks.h"
#include "html/document/url_path.h"
#include "html/document/url_target.h"

namespace html {

namespace {

TEST(UrlToPath, DecodesEachPercentPairOnceAnywhere) {
  struct Case {
    const char* url;
    const char* path;
  };
  const Case cases[] = {
      {"file:///C|/Docs/A%20B.htm", "c:\\docs\\a b.htm"},
      {"Index.HTM", "Index.HTM"},
      {"%41bc/x", "abc\\x"},       // a "%" in the first place decodes too
      {"%2541", "%41"},            // a decoded "%" is not decoded again
      {"a%zz%41/b", "a%zza\\b"},   // a bad pair is kept and decoding goes on
      {"100%", "100%"},
      {"x%4", "x%4"},
      {"%00x", "%00x"},            // no NUL inside a path
      {"http://file://Host/A.htm", "http:\\\\host\\a.htm"},
      {"FILE:///d|/x", "d:\\x"},
  };
  for (const auto& c : cases) EXPECT_EQ(UrlToPath(c.url), c.path) << c.url;
  EXPECT_EQ(UrlToPathWithRoot("/pages/a.htm", "C:\\www"), "C:\\www\\pages\\a.htm");
  EXPECT_EQ(UrlToPathWithRoot("pages/a.htm", "C:\\www"), "pages\\a.htm");
}

TEST(ColorFromString, ReadsNamesAndHexadecimalIntoBgrOrder) {
  struct Case {
    std::string text;
    std::optional<HtmlColor> color;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"red", 0x0000FF, "red"},
      {"Fuchsia", 0xFF00FF, "Fuchsia"},
      {"#FF0000", 0x0000FF, "FF0000"},
      {"00ff00", 0x00FF00, "00ff00"},
      {"12#3456", 0x563412, "123456"},
      {"FF123456", 0x563412, "FF123456"},  // only the low 24 bits: never a system colour
      {"#80000005", 0x050000, "80000005"},
      {"#FFFFFFFFFF", 0xFFFFFF, "FFFFFFFFFF"},
      {"", std::nullopt, ""},
      {"#", std::nullopt, ""},
      {"xyz", std::nullopt, "xyz"},
      {"#12 34", std::nullopt, "12 34"},
  };
  for (auto c : cases) {
    EXPECT_EQ(ColorFromString(c.text), c.color) << c.after;
    EXPECT_EQ(c.text, c.after);
  }
}

TEST(SelectionSinks, CountingSkipsImageAndControlPlaceholders) {
  SelTextCount count;
  count.AddText("ab", 2);
  count.AddText("\x04", 1);
  count.AddText("c\x02", 2);
  EXPECT_EQ(count.Finish(), 3);
}

TEST(SelectionSinks, BufferSinkStopsAtItsCapacity) {
  char buffer[6] = {'#', '#', '#', '#', '#', '#'};
  SelTextBuf sink(buffer, 4);
  AddTextCR(sink, "a\x04" "bcdef", 7);
  EXPECT_EQ(sink.Finish(), 4);
  EXPECT_EQ(std::string(buffer, 6), std::string("abc\0##", 6));
}

TEST(SelectionSinks, BufferSinkOfNoSizeWritesNothing) {
  for (const std::int32_t size : {0, -5, INT32_MIN}) {
    char guard[2] = {'#', '#'};
    SelTextBuf sink(guard, size);
    sink.AddText("abc", 3);
    EXPECT_EQ(sink.Finish(), 0);
    EXPECT_EQ(guard[0], '#');
  }
  char one = '#';
  SelTextBuf sink(&one, 1);
  sink.AddText("abc", 3);
  EXPECT_EQ(sink.Finish(), 1);
  EXPECT_EQ(one, '\0');
}

TEST(SelectionSinks, ClipBufferKeepsTextBeyondThirtyTwoThousandCharacters) {
  std::string clipboard;
  ClipBuffer sink([&](std::string_view text) { clipboard = std::string(text); });
  const std::string line(1000, 'x');
  for (int i = 0; i < 40; ++i) AddTextCR(sink, line.data(), static_cast<std::int32_t>(line.size()));
  EXPECT_EQ(sink.Finish(), 40 * 1002 + 1);
  EXPECT_EQ(clipboard.size(), 40u * 1002u);
  EXPECT_EQ(clipboard.substr(40 * 1002 - 3), "x\r\n");
}

struct Tracked {
  Tracked(std::vector<int>* log, int id) : log_(log), id_(id) {}
  ~Tracked() { log_->push_back(id_); }
  std::vector<int>* log_;
  int id_;
};

TEST(FreeList, FreesItsItemsInIndexOrder) {
  std::vector<int> freed;
  {
    TFreeList<Tracked> list;
    for (int i = 0; i < 4; ++i) list.Add(std::make_unique<Tracked>(&freed, i));
    list.Delete(1);
    EXPECT_EQ(freed, std::vector<int>{1});
    auto kept = list.Extract(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Items(2), cl::EListError);
  }
  EXPECT_EQ(freed, (std::vector<int>{1, 0, 2, 3}));  // the extracted one went first
  TFreeList<Tracked> list;
  list.Add(std::make_unique<Tracked>(&freed, 7));
  ClearAndFree(list);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(freed.back(), 7);
}

TEST(Attributes, FindAttributeGivesTheFirstWithTheCode) {
  TAttributeList list;
  EXPECT_EQ(FindAttribute(list, HrefSy), nullptr);
  list.Add(std::make_unique<TAttribute>(NameSy, "n", 0));
  list.Add(std::make_unique<TAttribute>(HrefSy, "first", 0));
  list.Add(std::make_unique<TAttribute>(HrefSy, "second", 0));
  ASSERT_NE(FindAttribute(list, HrefSy), nullptr);
  EXPECT_EQ(FindAttribute(list, HrefSy)->StrValue, "first");
  EXPECT_EQ(FindAttribute(list, SrcSy), nullptr);
}

TEST(UrlTarget, AssignReplacesOnlyTheGivenFields) {
  TUrlTarget link("a.htm", "main");
  link.Assign(std::nullopt, "side");
  EXPECT_EQ(link.Url, "a.htm");
  EXPECT_EQ(link.Target, "side");
  link.Assign("b.htm", std::nullopt);
  EXPECT_EQ(link.Url, "b.htm");
  EXPECT_EQ(link.Target, "side");
  link.Clear();
  EXPECT_TRUE(link.Url.empty() && link.Target.empty());
}

TEST(HtmlCommon, TrimBlanksAndIntegerValues) {
  EXPECT_EQ(TrimBlanks("\x01 a b\r\n "), "a b");
  EXPECT_EQ(TrimBlanks(" \t "), "");
  EXPECT_EQ(IntValueOf("+12"), 12);
  EXPECT_EQ(IntValueOf("-7"), -7);
  EXPECT_EQ(IntValueOf("5px"), 0);
  EXPECT_EQ(IntValueOf("99999999999"), 0);
  EXPECT_EQ(IntValueOf("-"), 0);
  EXPECT_EQ(IntMin(3, -2), -2);
  EXPECT_EQ(IntMax(3, -2), 3);
  const auto block = AllocBlock(70000);
  EXPECT_EQ(block->BlockSize, 70000);
  block->Memory[69999] = 'x';
}

}  // namespace


namespace {

TAttributeList Area(std::initializer_list<std::pair<HtmlSymbol, const char*>> attributes) {
  TAttributeList list;
  for (const auto& [code, value] : attributes) list.Add(std::make_unique<TAttribute>(code, value, 0));
  return list;
}

TEST(MapItem, AreasHitInTheOrderAdded) {
  TMapItem map;
  map.AddArea(Area({{ShapeSy, "CIRCLE"}, {CoordsSy, "10, 10, 5"}, {HrefSy, "c.htm"}, {TargetSy, "f"}}));
  map.AddArea(Area({{CoordsSy, "0,0,20,20"}, {HrefSy, "r.htm"}}));
  map.AddArea(Area({{ShapeSy, "poly"}, {CoordsSy, "30,0,40,10,30,20"}, {HrefSy, "p.htm"}}));
  map.AddArea(Area({{ShapeSy, "rect"}, {CoordsSy, "1,2,3"}, {HrefSy, "few.htm"}}));  // too few
  EXPECT_EQ(map.RegionUrls.Count(), 3);
  struct Case {
    int x, y;
    const char* url;
  };
  const Case cases[] = {
      {10, 10, "c.htm"}, {5, 10, "c.htm"},  {15, 10, "c.htm"}, {10, 5, "c.htm"}, {10, 15, "c.htm"},
      {4, 10, "r.htm"},  {6, 6, "r.htm"},   {20, 20, "r.htm"}, {21, 20, nullptr}, {31, 10, "p.htm"},
      {38, 10, "p.htm"}, {39, 2, nullptr},  {41, 10, nullptr},
  };
  for (const auto& c : cases) {
    const auto link = map.HitTest(c.x, c.y);
    if (!c.url) {
      EXPECT_FALSE(link) << c.x << "," << c.y;
      continue;
    }
    ASSERT_TRUE(link) << c.x << "," << c.y;
    EXPECT_EQ(link->Url, c.url) << c.x << "," << c.y;
  }
  EXPECT_EQ(map.HitTest(10, 10)->Target, "f");
}

TEST(MapItem, NoHrefHidesALinkOnlyWhenAddedFirst) {
  TMapItem map;
  map.AddArea(Area({{HrefSy, "x.htm"}, {NoHrefSy, ""}, {CoordsSy, "0,0,9,9"}}));
  map.AddArea(Area({{NoHrefSy, ""}, {HrefSy, "y.htm"}, {CoordsSy, "0,0,19,19"}}));
  EXPECT_FALSE(map.HitTest(5, 5));  // the first area has no URL and decides
  ASSERT_TRUE(map.HitTest(15, 15));
  EXPECT_EQ(map.HitTest(15, 15)->Url, "y.htm");
}

}  // namespace

namespace {

TEST(MapItem, CoordinatesAtTheLimitsOfThirtyTwoBitsStillHitRight) {
  struct Case {
    const char* shape;
    const char* coords;
    int x, y;
    bool hit;
  };
  const Case cases[] = {
      {"circle", "-2147483648,0,5", 1, 0, false},
      {"circle", "-2147483648,0,5", -2147483647 - 1 + 5, 0, true},
      {"circle", "0,0,2147483647", 2147483647, 0, true},
      {"circle", "0,0,2147483647", 2147483647, 2147483647, false},
      {"circle", "2147483647,2147483647,-2147483648", -2147483647 - 1, 0, false},
      {"poly", "-2147483648,-2147483648,2147483647,-2147483648,2147483647,2147483647,-2147483648,2147483647", 0, 0,
       true},
      {"poly", "-2147483648,-2147483648,2147483647,-2147483648,2147483647,2147483647,-2147483648,2147483647",
       2147483647, 0, false},
      {"poly", "-2147483648,0,2147483647,0,0,2147483647", 5, 5, true},
      {"poly", "-2147483648,0,2147483647,0,0,2147483647", 5, -1, false},
  };
  for (const auto& c : cases) {
    TMapItem map;
    map.AddArea(Area({{ShapeSy, c.shape}, {CoordsSy, c.coords}, {HrefSy, "x.htm"}}));
    EXPECT_EQ(map.HitTest(c.x, c.y).has_value(), c.hit) << c.shape << " " << c.coords << " at " << c.x << "," << c.y;
  }
}

}  // namespace

}  // namespace html
