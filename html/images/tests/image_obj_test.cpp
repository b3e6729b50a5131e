#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "html/images/image_unit.h"
#include "html/testing/image_test_support.h"
#include "html/testing/layout_fixture.h"
#include "html/images/document_images.h"
#include "html/images/image_cache.h"
#include "platform/core/ansi_case.h"
#include "platform/core/test_support/temp_directory.h"

namespace html {

namespace {

struct Attr {
  HtmlSymbol code;
  const char* text;
  int32_t value;
};

TImageObj MakeImage(std::initializer_list<Attr> attrs) {
  TAttributeList list;
  for (const auto& a : attrs) list.Add(LayoutFixture::Attr(a.code, a.text, a.value));
  return TImageObj(0, list);
}

TEST(ImageObj, AttributesAreReadWithTheirLimits) {
  struct Case {
    Attr attr;
    int32_t specWidth = 0, specHeight = 0;
    bool percent = false;
    int32_t hSpace = 5;
    ImageAlign align = TImageObj::AlignBottom;
    const char* mapName = "";
  };
  const Case cases[] = {
      // A height of zero or less is one pixel; a width of zero or less is not given.
      {{HeightSy, "0", 0}, 0, 1},
      {{HeightSy, "-7", -7}, 0, 1},
      {{HeightSy, "12", 12}, 0, 12},
      {{WidthSy, "-50", -50}},
      {{WidthSy, "0", 0}},
      {{WidthSy, "40", 40}, 40},
      {{WidthSy, "150%", 150}},
      {{WidthSy, "0%", 0}},
      {{WidthSy, "50%", 50}, 50, 0, true},
      {{HSpaceSy, "-30", -30}, 0, 0, false, 20},
      {{HSpaceSy, "7", 7}, 0, 0, false, 7},
      {{AlignSy, "absmiddle", 0}, 0, 0, false, 5, TImageObj::AlignMiddle},
      {{AlignSy, "Middle", 0}, 0, 0, false, 5, TImageObj::AlignMiddle},
      {{AlignSy, "TOP", 0}, 0, 0, false, 5, TImageObj::AlignTop},
      {{AlignSy, "baseline", 0}, 0, 0, false, 5, TImageObj::AlignBottom},
      {{AlignSy, "left", 0}, 0, 0, false, 5, TImageObj::AlignLeft},
      {{AlignSy, "RIGHT", 0}, 0, 0, false, 5, TImageObj::AlignRight},
      {{UseMapSy, " #m ", 0}, 0, 0, false, 5, TImageObj::AlignBottom, "M"},
      {{UseMapSy, "#", 0}, 0, 0, false, 5, TImageObj::AlignBottom, "#"},
  };
  for (const Case& c : cases) {
    const TImageObj image = MakeImage({c.attr});
    const std::string what = std::to_string(c.attr.code) + "=" + c.attr.text;
    EXPECT_EQ(image.SpecWidth, c.specWidth) << what;
    EXPECT_EQ(image.SpecHeight, c.specHeight) << what;
    EXPECT_EQ(image.PercentWidth, c.percent) << what;
    EXPECT_EQ(image.HSpace, c.hSpace) << what;
    EXPECT_EQ(image.ObjAlign, c.align) << what;
    EXPECT_EQ(image.MapName, c.mapName) << what;
    EXPECT_EQ(image.UseMap, c.attr.code == UseMapSy) << what;
    EXPECT_EQ(image.Floating(), c.align == TImageObj::AlignLeft || c.align == TImageObj::AlignRight) << what;
  }
  EXPECT_TRUE(MakeImage({{BorderSy, "0", 0}}).NoBorder);
  EXPECT_FALSE(MakeImage({{BorderSy, "5", 5}}).NoBorder);
  EXPECT_TRUE(MakeImage({{TranspSy, "", 0}}).TransparencyKind == trLowerLeft);
  EXPECT_TRUE(MakeImage({{IsMapSy, "", 0}}).IsMap);
}

TEST(ImageObj, PlaceholdersKeepTheAskedSizeOrGrowToTheIcon) {
  LayoutFixture f(&DocumentImages());
  f.root.ImagesOn = false;
  TImageObj sized = MakeImage({{WidthSy, "10", 10}, {HeightSy, "12", 12}});
  sized.LayoutImage(f.root, f.Canvas(), nullptr, 300);
  EXPECT_EQ(sized.ObjWidth, 10);
  EXPECT_EQ(sized.ObjHeight, 12);
  TImageObj bare = MakeImage({});
  bare.LayoutImage(f.root, f.Canvas(), nullptr, 300);
  EXPECT_GE(bare.ObjWidth, 24);
  EXPECT_GE(bare.ObjHeight, 24);
  EXPECT_FALSE(bare.ImageKnown);
  // Inside a link a border adds a pixel on each side, unless BORDER=0.
  TFontObj linked(f.Font(), 0);
  linked.Link->Url = "a.htm";
  sized.LayoutImage(f.root, f.Canvas(), &linked, 300);
  EXPECT_EQ(sized.ObjWidth, 12);
  TImageObj unbordered = MakeImage({{WidthSy, "10", 10}, {HeightSy, "12", 12}, {BorderSy, "0", 0}});
  unbordered.LayoutImage(f.root, f.Canvas(), &linked, 300);
  EXPECT_EQ(unbordered.ObjWidth, 10);
}

TEST(ImageObj, PicturesScaleByTheGivenSideAndPercentagesFollowTheWidth) {
  TImageUnitScope unit;
  const cl::testing::TempDirectory temp;
  // A 4 x 2 BMP of 24 bits.
  const uint8_t header[] = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0,
                            1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::vector<uint8_t> b(sizeof header + 24, 0x80);
  std::copy(std::begin(header), std::end(header), b.begin());
  const std::string src = temp.Write("pic.bmp", b);
  {
    LayoutFixture f(&DocumentImages());
    struct Case {
      std::initializer_list<Attr> attrs;
      int32_t width, height;
    };
    const Case cases[] = {
        {{{SrcSy, src.c_str(), 0}}, 4, 2},
        {{{SrcSy, src.c_str(), 0}, {WidthSy, "40", 40}}, 40, 20},
        {{{SrcSy, src.c_str(), 0}, {HeightSy, "10", 10}}, 20, 10},
        {{{SrcSy, src.c_str(), 0}, {WidthSy, "50%", 50}}, 150, 2},
        // A height of zero or less is one pixel; a width of zero or less is not
        // given (scaled by the other side, never mirrored).
        {{{SrcSy, src.c_str(), 0}, {WidthSy, "40", 40}, {HeightSy, "0", 0}}, 40, 1},
        {{{SrcSy, src.c_str(), 0}, {HeightSy, "0", 0}}, 2, 1},
        {{{SrcSy, src.c_str(), 0}, {HeightSy, "-5", -5}}, 2, 1},
        {{{SrcSy, src.c_str(), 0}, {WidthSy, "-50", -50}, {HeightSy, "10", 10}}, 20, 10},
        {{{SrcSy, src.c_str(), 0}, {WidthSy, "-50", -50}}, 4, 2},
        {{{SrcSy, "missing.bmp", 0}, {WidthSy, "7", 7}, {HeightSy, "9", 9}}, 7, 9},
    };
    for (const auto& c : cases) {
      TImageObj image = MakeImage(c.attrs);
      image.LayoutImage(f.root, f.Canvas(), nullptr, 300);
      EXPECT_EQ(image.ObjWidth, c.width) << c.attrs.begin()->text << c.width;
      EXPECT_EQ(image.ObjHeight, c.height) << c.attrs.begin()->text << c.width;
      f.bitmap.SetSize(300, 100);
      image.Draw(f.Canvas(), 0, 0, 50, nullptr);
    }
  }
  EXPECT_EQ(ScaledSize(10, 4, 0), 0);
  EXPECT_EQ(ScaledSize(10, 4, 2), 20);
}

TEST(ImageObj, AShrunkenPictureIsScaledOnceAndTheCopyServesEveryDraw) {
  const cl::testing::TempDirectory dir;
  // 8 x 8: red on the left, blue on the right, a white bottom row (the
  // lower-left colour TRANSP makes transparent).
  std::vector<fixtures::Rgb> pixels;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      pixels.push_back(y == 7 ? fixtures::Rgb{255, 255, 255} : x < 4 ? fixtures::Rgb{255, 0, 0} : fixtures::Rgb{0, 0, 255});
  const std::string src = dir.Write("pic.bmp", fixtures::Bmp24(8, 8, pixels));
  for (const bool transparent : {false, true}) {
    TImageUnitScope unit;  // a cache of its own
    LayoutFixture f(&DocumentImages());
    auto image = [&] {
      if (transparent) return MakeImage({{SrcSy, src.c_str(), 0}, {WidthSy, "2", 2}, {HeightSy, "2", 2}, {TranspSy, "", 0}});
      return MakeImage({{SrcSy, src.c_str(), 0}, {WidthSy, "2", 2}, {HeightSy, "2", 2}});
    };
    TImageObj first = image(), second = image();
    first.LayoutImage(f.root, f.Canvas(), nullptr, 300);
    second.LayoutImage(f.root, f.Canvas(), nullptr, 300);
    ASSERT_EQ(first.Image, second.Image) << transparent;
    ASSERT_EQ(first.ObjWidth, 2);
    f.Canvas().FillRect({0, 0, 300, 100}, cl::clWhite);
    first.Draw(f.Canvas(), 0, 0, 2, nullptr);
    auto at = [&](int x, int y) { return f.Canvas().GetPixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), cl::clRed) << transparent;
    EXPECT_EQ(at(1, 0), cl::clBlue) << transparent;
    int index = -1;
    ASSERT_TRUE(BitmapList().Find(cl::AnsiUpperCase(src), index));
    TBitmapItem& item = *BitmapList().Item(index);
    const TScaledPicture* scaled = item.FindScaled(2, 2);
    ASSERT_NE(scaled, nullptr) << transparent;
    EXPECT_EQ(scaled->Mask != nullptr, transparent);
    // Marked, the copy shows whether the next draw scales the picture again.
    scaled->Image->Canvas().SetPixel(0, 0, cl::clLime);
    second.Draw(f.Canvas(), 100, 0, 2, nullptr);
    EXPECT_EQ(at(100, 0), cl::clLime) << transparent;
    EXPECT_EQ(at(101, 0), cl::clBlue) << transparent;
    EXPECT_EQ(item.FindScaled(2, 2), scaled);
    EXPECT_EQ(item.ScaledTo(8, 8), nullptr);  // full size: drawn directly
  }
}

TEST(ImageObj, AnAnimationsTransparentColourShowsTheBackground) {
  TImageUnitScope unit;
  const cl::testing::TempDirectory dir;
  fixtures::GifOptions o;
  o.globalTable = {{255, 0, 255}, {255, 0, 0}, {0, 0, 255}, {255, 255, 255}};
  o.indexes = {0, 1, 2, 0};  // magenta red / blue magenta
  o.blocksBeforeImage =
      fixtures::Concat({fixtures::GifApplicationExtension(), fixtures::GifControlExtension(true, 0)});
  const std::string src = dir.Write("vlny.gif", TwoFrameGif(o));
  LayoutFixture f(&DocumentImages());
  TImageObj image = MakeImage({{SrcSy, src.c_str(), 0}});
  image.LayoutImage(f.root, f.Canvas(), nullptr, 300);
  ASSERT_EQ(image.ObjWidth, 2);
  const cl::TColor background = cl::RGB(0, 128, 0);
  f.Canvas().FillRect({0, 0, 300, 100}, background);
  image.Draw(f.Canvas(), 10, 0, 12, nullptr);  // bottom-aligned: top at 10
  auto at = [&](int x, int y) { return f.Canvas().GetPixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(at(10, 10), background);
  EXPECT_EQ(at(11, 10), cl::RGB(255, 0, 0));
  EXPECT_EQ(at(10, 11), cl::RGB(0, 0, 255));
  EXPECT_EQ(at(11, 11), background);
}

}  // namespace

}  // namespace html
