#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "html/document/font_obj.h"
#include "html/document/image_obj.h"
#include "html/document/map_item.h"
#include "html/document/text_section.h"
#include "html/document/url_target.h"
#include "html/images/document_images.h"
#include "html/images/image_cache.h"
#include "html/images/image_unit.h"
#include "html/images/masks.h"
#include "html/testing/image_test_support.h"
#include "html/testing/layout_fixture.h"
#include "html/testing/stub_host.h"
#include "platform/core/ansi_case.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/printer.h"
#include "platform/gui/test_support/gui_test.h"

namespace html {

namespace {

constexpr cl::TColor Green = cl::RGB(0, 160, 0);

std::vector<fixtures::Rgb> Solid(int width, int height, fixtures::Rgb colour) {
  return std::vector<fixtures::Rgb>(static_cast<size_t>(width * height), colour);
}

cl::TColor At(LayoutFixture& f, int x, int y) { return f.Canvas().GetPixel(x, y) & 0xFFFFFF; }

class InlineImageDrawing : public ::testing::Test {
 protected:
  InlineImageDrawing() {
    // An 8 x 8 green picture.
    src = dir.Write("green.bmp", fixtures::Bmp24(8, 8, Solid(8, 8, {0, 160, 0})));
    f.Canvas().FillRect({0, 0, 600, 400}, cl::clWhite);
  }
  TImageUnitScope unit;
  const cl::testing::TempDirectory dir;
  std::string src;
  LayoutFixture f{&DocumentImages()};
};

TEST_F(InlineImageDrawing, ALinkFramesThePictureInItsColourUnlessBorderIsZero) {
  TFontObj linked(f.Font(), 0);
  linked.Link->Url = "a.htm";
  linked.ChangeFont([](TMyFont& font) { font.SetColor(cl::clRed); });
  TFontObj plain(f.Font(), 0);
  struct Case {
    const char* name;
    const TFontObj* font;
    const char* border;  // null: no BORDER attribute
    bool framed;
  };
  const Case cases[] = {
      {"in a link", &linked, nullptr, true},
      {"BORDER=0 in a link", &linked, "0", false},
      {"BORDER=5 outside a link", &plain, "5", false},
      {"outside a link", &plain, nullptr, false},
  };
  int32_t x = 20;
  for (const Case& c : cases) {
    TAttributeList list;
    list.Add(LayoutFixture::Attr(SrcSy, src));
    list.Add(LayoutFixture::Attr(AlignSy, "top"));
    if (c.border) list.Add(LayoutFixture::Attr(BorderSy, c.border, std::stoi(c.border)));
    TImageObj image(0, list);
    image.LayoutImage(f.root, f.Canvas(), c.font, 300);
    EXPECT_EQ(image.ImageWidth, 8) << c.name;
    EXPECT_EQ(image.ObjWidth, c.framed ? 10 : 8) << c.name;
    EXPECT_EQ(image.ObjHeight, c.framed ? 10 : 8) << c.name;
    image.Draw(f.Canvas(), x, 10, 30, c.font);
    if (c.framed) {
      for (const auto& [px, py] : {std::pair{x, 10}, {x + 9, 10}, {x, 19}, {x + 9, 19}, {x + 4, 10}})
        EXPECT_EQ(At(f, px, py), cl::clRed) << c.name << " at " << px << "," << py;
      EXPECT_EQ(At(f, x + 1, 11), Green) << c.name;
      EXPECT_EQ(At(f, x + 8, 18), Green) << c.name;
      EXPECT_EQ(image.Left, x + 1) << c.name;
    } else {
      EXPECT_EQ(At(f, x, 10), Green) << c.name;
      EXPECT_EQ(At(f, x + 7, 17), Green) << c.name;
      // Nothing around the picture.
      for (const auto& [px, py] : {std::pair{x - 1, 10}, {x + 8, 10}, {x, 9}, {x, 18}})
        EXPECT_EQ(At(f, px, py), cl::clWhite) << c.name << " at " << px << "," << py;
    }
    x += 40;
  }
}

// Non-white pixels inside the box, its outer two pixels (the frame) left out.
int InkInside(LayoutFixture& f, const TImageObj& image, int32_t x, int32_t y) {
  int ink = 0;
  for (int32_t py = y + 2; py < y + image.ImageHeight - 2; ++py)
    for (int32_t px = x + 2; px < x + image.ImageWidth - 2; ++px) ink += At(f, px, py) != cl::clWhite;
  return ink;
}

TEST_F(InlineImageDrawing, APlaceholderUnder24PixelsShowsNoIcon) {
  f.root.ImagesOn = false;
  struct Case {
    int32_t width, height;
    bool icon;
  };
  int32_t x = 10;
  for (const Case c : {Case{10, 12, false}, Case{30, 12, false}, Case{12, 30, false}, Case{30, 30, true}}) {
    TAttributeList list;
    list.Add(LayoutFixture::Attr(SrcSy, src));
    list.Add(LayoutFixture::Attr(AlignSy, "top"));
    list.Add(LayoutFixture::Attr(WidthSy, std::to_string(c.width), c.width));
    list.Add(LayoutFixture::Attr(HeightSy, std::to_string(c.height), c.height));
    TImageObj image(0, list);
    image.LayoutImage(f.root, f.Canvas(), nullptr, 300);
    ASSERT_EQ(image.ImageWidth, c.width);
    ASSERT_EQ(image.ImageHeight, c.height);
    image.Draw(f.Canvas(), x, 10, 50, nullptr);
    EXPECT_EQ(InkInside(f, image, x, 10) > 0, c.icon) << c.width << "x" << c.height;
    // The sunken frame is there in every case.
    EXPECT_NE(At(f, x, 10), cl::clWhite) << c.width << "x" << c.height;
    x += 50;
  }
}

TEST_F(InlineImageDrawing, AltTextGrowsAPlaceholderButNotAGivenPair) {
  f.root.ImagesOn = false;
  const std::string alt = "a rather long description";
  f.Canvas().Font().SetName("Arial");
  f.Canvas().Font().SetSize(8);
  const int32_t textWidth = f.Canvas().TextWidth(alt);
  const int32_t textHeight = f.Canvas().TextHeight(alt);
  ASSERT_GT(textWidth + 2 + 24, 24);
  struct Case {
    const char* alt;
    int32_t width, height;  // 0: not given
    int32_t shownWidth, shownHeight;
  };
  const Case cases[] = {
      {"", 0, 0, 24, 24},
      {alt.c_str(), 0, 0, textWidth + 2 + 24, std::max(24, textHeight)},
      // One side alone does not fix a placeholder's size.
      {alt.c_str(), 300, 0, textWidth + 2 + 24, std::max(24, textHeight)},
      {alt.c_str(), 10, 12, 10, 12},
  };
  for (const Case& c : cases) {
    TAttributeList list;
    list.Add(LayoutFixture::Attr(SrcSy, src));
    list.Add(LayoutFixture::Attr(AltSy, c.alt));
    if (c.width) list.Add(LayoutFixture::Attr(WidthSy, std::to_string(c.width), c.width));
    if (c.height) list.Add(LayoutFixture::Attr(HeightSy, std::to_string(c.height), c.height));
    TImageObj image(0, list);
    image.LayoutImage(f.root, f.Canvas(), nullptr, 300);
    EXPECT_EQ(image.ImageWidth, c.shownWidth) << c.alt << " " << c.width;
    EXPECT_EQ(image.ImageHeight, c.shownHeight) << c.alt << " " << c.width;
  }
}

TEST_F(InlineImageDrawing, APictureWithoutPixelsTakesThePlaceholdersSize) {
  StubHost host;
  host.OnBitmap = [](const std::string&) { return HostBitmap{std::make_unique<cl::TBitmap>()}; };
  LayoutFixture hosted(&DocumentImages(), &host);
  struct Case {
    const char* name;
    int32_t width, height;
    int32_t shownWidth, shownHeight;
  };
  const Case cases[] = {
      {"empty1", 0, 0, 24, 24},
      {"empty2", 40, 0, 24, 24},
      {"empty3", 0, 30, 24, 24},
      {"empty4", 40, 30, 40, 30},
  };
  for (const Case& c : cases) {
    TAttributeList list;
    list.Add(LayoutFixture::Attr(SrcSy, c.name));
    if (c.width) list.Add(LayoutFixture::Attr(WidthSy, std::to_string(c.width), c.width));
    if (c.height) list.Add(LayoutFixture::Attr(HeightSy, std::to_string(c.height), c.height));
    TImageObj image(0, list);
    image.LayoutImage(hosted.root, hosted.Canvas(), nullptr, 300);
    ASSERT_NE(image.Image, nullptr);
    ASSERT_EQ(image.Image->Width(), 0) << c.name;
    EXPECT_EQ(image.ImageWidth, c.shownWidth) << c.name;
    EXPECT_EQ(image.ImageHeight, c.shownHeight) << c.name;
    image.Draw(hosted.Canvas(), 0, 0, 40, nullptr);
  }
}

TEST_F(InlineImageDrawing, AnImageMapAnswersForItsAreasOnly) {
  auto map = std::make_unique<TMapItem>();
  map->MapId = "M";
  TAttributeList area;
  area.Add(LayoutFixture::Attr(ShapeSy, "rect"));
  area.Add(LayoutFixture::Attr(CoordsSy, "0,0,10,10"));
  area.Add(LayoutFixture::Attr(HrefSy, "hit.htm"));
  map->AddArea(area);
  f.root.ImageMaps.push_back(std::move(map));
  auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
  TAttributeList attributes;
  attributes.Add(LayoutFixture::Attr(SrcSy, src));
  attributes.Add(LayoutFixture::Attr(WidthSy, "40", 40));
  attributes.Add(LayoutFixture::Attr(HeightSy, "40", 40));
  attributes.Add(LayoutFixture::Attr(UseMapSy, "#m"));
  TImageObj* image = section->AddImage(attributes, &f.root);
  f.root.AddSection(std::move(section));
  f.Layout(400);
  f.root.Draw(f.Canvas(), {0, 0, 400, 100}, 0, 0, 400);
  const auto hit = f.root.LinkAt(f.Canvas(), image->Left + 5, image->Top + 5);
  ASSERT_TRUE(hit && hit->UrlTarget);
  EXPECT_EQ(hit->UrlTarget->Url, "hit.htm");
  EXPECT_FALSE(f.root.LinkAt(f.Canvas(), image->Left + 20, image->Top + 20));
  // The image itself is there for the whole of its box.
  EXPECT_TRUE(f.root.ObjectAtXY(image->Left + 20, image->Top + 20));
}

TEST_F(InlineImageDrawing, AlignmentPlacesThePictureAgainstItsLine) {
  TFontObj font(f.Font(), 0);
  ASSERT_GT(font.FontHeight, 0);
  struct Case {
    const char* align;
    int32_t top;  // for topY 10 and baseline 40 of an 8-pixel picture
  };
  const int32_t middle = 40 + font.Descent - font.FontHeight / 2 - 8 / 2;
  const Case cases[] = {{"top", 10},     {"middle", middle}, {"absmiddle", middle}, {"bottom", 32},
                        {"baseline", 32}, {"left", 10},       {"right", 10},         {"", 32}};
  for (const Case& c : cases) {
    TAttributeList list;
    list.Add(LayoutFixture::Attr(SrcSy, src));
    if (*c.align) list.Add(LayoutFixture::Attr(AlignSy, c.align));
    TImageObj image(0, list);
    image.LayoutImage(f.root, f.Canvas(), &font, 300);
    image.Draw(f.Canvas(), 20, 10, 40, &font);
    EXPECT_EQ(image.Top, c.top) << c.align;
    EXPECT_EQ(image.Left, 20) << c.align;
  }
}

TEST_F(InlineImageDrawing, FloatsKeepTheirHorizontalSpaceFromTheText) {
  // HSPACE=-30 counts as 20: the text starts 20 pixels past a left float, and
  // a right float's own edge touches the margin.
  for (const char* align : {"left", "right"}) {
    auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *f.Font());
    TAttributeList attributes;
    attributes.Add(LayoutFixture::Attr(SrcSy, src));
    attributes.Add(LayoutFixture::Attr(AlignSy, align));
    attributes.Add(LayoutFixture::Attr(WidthSy, "40", 40));
    attributes.Add(LayoutFixture::Attr(HeightSy, "40", 40));
    attributes.Add(LayoutFixture::Attr(HSpaceSy, "-30", -30));
    TImageObj* image = section->AddImage(attributes, &f.root);
    section->AppendText("words beside it");
    TSection& text = *section;
    LayoutFixture g(&DocumentImages());
    g.root.AddSection(std::move(section));
    g.Layout(400);
    ASSERT_FALSE(text.Lines.empty());
    if (std::string(align) == "left") {
      EXPECT_EQ(image->FloatX, 0);
      EXPECT_EQ(text.Lines[0].DrawX, 40 + 20);
    } else {
      EXPECT_EQ(image->FloatX, 400 - 40);
      EXPECT_EQ(text.Lines[0].DrawX, 0);
    }
  }
}

TEST_F(InlineImageDrawing, APrintCopyShowsWhatTheImageShowsAndCountsAsAUser) {
  TAttributeList list;
  list.Add(LayoutFixture::Attr(SrcSy, src));
  list.Add(LayoutFixture::Attr(AltSy, "green"));
  list.Add(LayoutFixture::Attr(AlignSy, "right"));
  list.Add(LayoutFixture::Attr(HSpaceSy, "9", 9));
  list.Add(LayoutFixture::Attr(WidthSy, "50%", 50));
  list.Add(LayoutFixture::Attr(BorderSy, "0", 0));
  list.Add(LayoutFixture::Attr(IsMapSy, ""));
  list.Add(LayoutFixture::Attr(UseMapSy, "#m"));
  TImageObj screen(0, list);
  screen.LayoutImage(f.root, f.Canvas(), nullptr, 300);
  int index = -1;
  ASSERT_TRUE(BitmapList().Find(cl::AnsiUpperCase(src), index));
  const TBitmapItem& item = *BitmapList().Item(index);
  const int32_t users = item.UserCount;
  {
    TSectionList print(f.root);
    TImageObj copy(print, screen);
    EXPECT_EQ(item.UserCount, users + 1);
    EXPECT_EQ(copy.ParentSectionList, &print);
    EXPECT_EQ(copy.Image, screen.Image);
    EXPECT_EQ(copy.Source, src);
    EXPECT_EQ(copy.Alt, "green");
    EXPECT_EQ(copy.ObjAlign, TImageObj::AlignRight);
    EXPECT_EQ(copy.HSpace, 9);
    EXPECT_TRUE(copy.PercentWidth);
    EXPECT_TRUE(copy.NoBorder);
    EXPECT_TRUE(copy.IsMap);
    EXPECT_FALSE(copy.UseMap);  // map data stays with the screen's document
    EXPECT_EQ(copy.MapName, "");
    // Laid out at the printer's width, without fetching again.
    copy.LayoutImage(print, f.Canvas(), nullptr, 1000);
    EXPECT_EQ(copy.ImageWidth, 500);
    EXPECT_EQ(copy.Image, screen.Image);
    EXPECT_EQ(item.UserCount, users + 1);
  }
  EXPECT_EQ(item.UserCount, users);
}

// A red and blue picture whose red parts the mask makes transparent.
struct MaskedPicture {
  MaskedPicture() {
    image.SetSize(2, 1);
    image.Canvas().SetPixel(0, 0, cl::clRed);
    image.Canvas().SetPixel(1, 0, cl::clBlue);
    mask = MakeMask(image, true, cl::clRed);
  }
  cl::TBitmap image;
  std::unique_ptr<cl::TBitmap> mask;
};

TEST(InlineImagePrinting, TransparentPartsPrintWhite) {
  cl::testing::EnsureGuiTestApplication();
  MaskedPicture p;
  ASSERT_NE(p.mask, nullptr);
  const auto combined = CombineImageAndMask(p.image, *p.mask, nullptr);
  ASSERT_NE(combined, nullptr);
  EXPECT_EQ(combined->Canvas().GetPixel(0, 0) & 0xFFFFFF, cl::clWhite);
  EXPECT_EQ(combined->Canvas().GetPixel(1, 0) & 0xFFFFFF, cl::clBlue);
  // Drawn on the page, the paper shows white, not what lay beneath.
  cl::TBitmap page;
  page.SetSize(10, 4);
  page.Canvas().FillRect({0, 0, 10, 4}, cl::clLime);
  PrintPicture(page.Canvas(), p.image, p.mask.get(), nullptr, 2, 1, 4, 2);
  auto at = [&](int x, int y) { return page.Canvas().GetPixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(at(2, 1), cl::clWhite);
  EXPECT_EQ(at(3, 2), cl::clWhite);
  EXPECT_EQ(at(4, 1), cl::clBlue);
  EXPECT_EQ(at(5, 2), cl::clBlue);
  EXPECT_EQ(at(1, 1), cl::clLime);
  EXPECT_EQ(at(6, 1), cl::clLime);
  // Without a mask the picture prints as it is.
  PrintPicture(page.Canvas(), p.image, nullptr, nullptr, 0, 0, 2, 1);
  EXPECT_EQ(at(0, 0), cl::clRed);
}

// The document's image side, with a record of what went to the printer.
class RecordingImages final : public TImageSource {
 public:
  TFetchedImage FetchImage(TSectionList& d, const std::string& n, TTransparency t) override {
    return DocumentImages().FetchImage(d, n, t);
  }
  void AddUse(const std::string& n) override { DocumentImages().AddUse(n); }
  void ReleaseUse(const std::string& n) override { DocumentImages().ReleaseUse(n); }
  cl::TBitmap* DefaultBitmap() override { return DocumentImages().DefaultBitmap(); }
  cl::TBitmap* ErrorBitmap() override { return DocumentImages().ErrorBitmap(); }
  cl::TBitmap* ErrorMask() override { return DocumentImages().ErrorMask(); }
  void UseScaledCopy(const std::string& n, cl::TBitmap*& b, cl::TBitmap*& m, int32_t w, int32_t h) override {
    DocumentImages().UseScaledCopy(n, b, m, w, h);
  }
  void DrawMasked(cl::TCanvas& c, cl::TBitmap& i, cl::TBitmap& m, int32_t x, int32_t y, int32_t w,
                  int32_t h) override {
    DocumentImages().DrawMasked(c, i, m, x, y, w, h);
  }
  void PrintPicture(cl::TCanvas& c, cl::TBitmap& i, cl::TBitmap* m, int32_t x, int32_t y, int32_t w,
                    int32_t h) override {
    printed.push_back({&i, m, x, y, w, h});
    DocumentImages().PrintPicture(c, i, m, x, y, w, h);
  }
  win::HPALETTE Palette() override { return DocumentImages().Palette(); }

  struct Print {
    cl::TBitmap* image;
    cl::TBitmap* mask;
    int32_t x, y, width, height;
  };
  std::vector<Print> printed;
};

TEST(InlineImagePrinting, ThePrintCopysImagesGoThroughThePrintersPath) {
  cl::testing::EnsureGuiTestApplication();
  TImageUnitScope unit;
  const cl::testing::TempDirectory dir;
  // White at the lower left, which TRANSP makes transparent.
  std::vector<fixtures::Rgb> pixels = Solid(4, 4, {0, 0, 255});
  pixels[12] = {255, 255, 255};
  const std::string src = dir.Write("pic.bmp", fixtures::Bmp24(4, 4, pixels));
  RecordingImages images;
  LayoutFixture f(&images);
  TAttributeList list;
  list.Add(LayoutFixture::Attr(SrcSy, src));
  list.Add(LayoutFixture::Attr(WidthSy, "8", 8));
  list.Add(LayoutFixture::Attr(AlignSy, "top"));
  list.Add(LayoutFixture::Attr(TranspSy, ""));
  TImageObj screen(0, list);
  screen.LayoutImage(f.root, f.Canvas(), nullptr, 300);
  ASSERT_NE(screen.MaskImage, nullptr);
  screen.Draw(f.Canvas(), 0, 0, 8, nullptr);
  EXPECT_TRUE(images.printed.empty());

  TSectionList print(f.root);
  TImageObj printed(print, screen);
  EXPECT_EQ(printed.Image, screen.Image);
  EXPECT_EQ(printed.MaskImage, screen.MaskImage);
  EXPECT_EQ(printed.ImageWidth, 8);
  EXPECT_EQ(printed.ImageHeight, 8);
  printed.LayoutImage(print, f.Canvas(), nullptr, 300);
  cl::TPrinter printer;
  printer.SetOutputFileName((dir.Path() / "out.pdf").string());
  printer.BeginDoc();
  printed.Draw(printer.Canvas(), 30, 40, 48, nullptr);
  printer.EndDoc();
  ASSERT_EQ(images.printed.size(), 1u);
  EXPECT_EQ(images.printed[0].image, screen.Image);
  EXPECT_EQ(images.printed[0].mask, screen.MaskImage);
  EXPECT_EQ(images.printed[0].x, 30);
  EXPECT_EQ(images.printed[0].y, 40);
  EXPECT_EQ(images.printed[0].width, 8);
  EXPECT_EQ(images.printed[0].height, 8);
}

}  // namespace

}  // namespace html
