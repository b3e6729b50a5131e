#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "html/document/image_obj.h"
#include "html/document/text_section.h"
#include "html/images/document_images.h"
#include "html/images/image_cache.h"
#include "html/images/image_unit.h"
#include "html/parse/document_parser.h"
#include "html/testing/image_test_support.h"
#include "html/testing/viewer_fixture.h"
#include "platform/core/ansi_case.h"
#include "platform/gui/test_support/screen_pixels.h"

namespace html {

namespace {

TImageObj* FirstImage(TDocViewer& viewer) {
  for (const auto& section : viewer.SectionList())
    if (auto* text = dynamic_cast<TSection*>(section.get()); text && text->Images.Count() > 0) return text->Images[0];
  return nullptr;
}

TEST_F(ViewerTest, APictureThatComesLaterIsShownAndLaidOut) {
  viewer->Parser = ParseDocument;
  viewer->SetViewImages(true);
  std::vector<std::string> asked;
  viewer->SetOnImageRequest([&](TDocViewer*, const std::string& name, cl::TStream*& stream) {
    asked.push_back(name);
    stream = ImageUnit().WaitStream.get();
  });
  const std::string page = "<P><IMG SRC=\"later.bmp\" ALT=\"coming\"> text</P>";
  viewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
  TImageObj* image = FirstImage(*viewer);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(asked, std::vector<std::string>{"later.bmp"});
  EXPECT_GE(image->ObjWidth, 24);  // the placeholder

  const auto bytes = StreamOf(fixtures::Bmp24(60, 50, std::vector<fixtures::Rgb>(60 * 50, {0, 0, 255})));
  EXPECT_FALSE(viewer->InsertImage("nothing.bmp", bytes.get()));
  ASSERT_TRUE(viewer->InsertImage("later.bmp", bytes.get()));
  EXPECT_EQ(image->ObjWidth, 60);
  EXPECT_EQ(image->ObjHeight, 50);
  EXPECT_EQ(asked.size(), 1u);  // from the cache, not asked again
  EXPECT_FALSE(viewer->InsertImage("later.bmp", bytes.get()));
}

TEST_F(ViewerTest, APictureThatCameLaterIsFreedOnceTheNextDocumentNoLongerUsesIt) {
  viewer->Parser = ParseDocument;
  viewer->SetViewImages(true);
  viewer->SetOnImageRequest(
      [](TDocViewer*, const std::string&, cl::TStream*& stream) { stream = ImageUnit().WaitStream.get(); });
  TStringBitmapList& cache = BitmapList();
  const std::string page =
      "<BODY BACKGROUND=\"came-later.bmp\"><P><IMG SRC=\"came-later.bmp\"> <IMG SRC=\"came-later.bmp\"></P>";
  viewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
  TImageObj* image = FirstImage(*viewer);
  ASSERT_NE(image, nullptr);
  const std::string key = cl::AnsiUpperCase(image->Source);
  const auto bytes = StreamOf(fixtures::Bmp24(30, 20, std::vector<fixtures::Rgb>(30 * 20, {0, 255, 0})));
  ASSERT_TRUE(viewer->InsertImage("came-later.bmp", bytes.get()));
  ASSERT_NE(viewer->SectionList().BackgroundBitmap(), nullptr);
  int index = -1;
  ASSERT_TRUE(cache.Find(key, index));
  EXPECT_EQ(cache.Item(index)->UserCount, 3);  // two images and the background

  const std::string next = "<P>nothing to show</P>";
  viewer->LoadFromBuffer(next.data(), static_cast<int32_t>(next.size()));
  cache.PurgeIdle();
  EXPECT_FALSE(cache.Find(key, index));
}

TEST_F(ViewerTest, ThePageShowsThroughTheTransparentPixelsOfEveryKindOfPng) {
  viewer->Parser = ParseDocument;
  viewer->SetViewImages(true);
  const cl::TColor yellow = cl::RGB(255, 255, 0);
  int n = 0;
  for (const fixtures::TransparentPng& png : fixtures::TransparentPngs()) {
    // Each picture 4 x 1, shown as 40 x 10: a source pixel is a 10 x 10 block.
    const std::string file = Write("kind" + std::to_string(n++) + ".png", std::string(png.file.begin(), png.file.end()));
    const std::string page = "<BODY BGCOLOR=\"#FFFF00\"><P><IMG SRC=\"" + file + "\" WIDTH=40 HEIGHT=10></P>";
    viewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
    TImageObj* image = FirstImage(*viewer);
    ASSERT_NE(image, nullptr) << png.what;
    EXPECT_EQ(cl::testing::ScreenPixel(viewer->PaintPanel(), 1, 1), yellow) << png.what;  // painted
    const int x = image->Left, y = image->Top - viewer->VScrollBarPosition();
    EXPECT_EQ(cl::testing::ScreenPixel(viewer->PaintPanel(), x + 5, y + 5), yellow) << png.what;
    EXPECT_EQ(cl::testing::ScreenPixel(viewer->PaintPanel(), x + 15, y + 5), yellow) << png.what;
    EXPECT_EQ(cl::testing::ScreenPixel(viewer->PaintPanel(), x + 35, y + 5),
              cl::RGB(png.opaque.r, png.opaque.g, png.opaque.b))
        << png.what;
  }
}

TEST_F(ViewerTest, AnApplicationsBitmapIsShownWithTheColourItNamesTransparent) {
  viewer->Parser = ParseDocument;
  viewer->SetViewImages(true);
  std::vector<cl::TColor> offered;
  cl::TBitmap* handed = nullptr;
  viewer->SetOnBitmapRequest([&](TDocViewer* sender, const std::string& name, std::unique_ptr<cl::TBitmap>& bitmap,
                                 cl::TColor& colour) {
    EXPECT_EQ(sender, viewer);
    EXPECT_EQ(name, "own");
    offered.push_back(colour);
    bitmap = std::make_unique<cl::TBitmap>();
    bitmap->SetSize(30, 20);  // all white
    handed = bitmap.get();
    colour = cl::clWhite;
  });
  const std::string page = "<BODY BGCOLOR=\"#FFFF00\"><P><IMG SRC=\"own\"></P>";
  viewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
  TImageObj* image = FirstImage(*viewer);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(offered, std::vector<cl::TColor>{-1});
  EXPECT_EQ(image->Image, handed);
  EXPECT_EQ(image->ObjWidth, 30);
  EXPECT_EQ(image->ObjHeight, 20);
  const cl::TColor yellow = cl::RGB(255, 255, 0);
  EXPECT_EQ(cl::testing::ScreenPixel(viewer->PaintPanel(), 1, 1), yellow);  // painted
  const int x = image->Left, y = image->Top - viewer->VScrollBarPosition();
  EXPECT_GT(x, 0);
  EXPECT_EQ(cl::testing::ScreenPixel(viewer->PaintPanel(), x + 15, y + 10), yellow);
}

std::vector<TImageObj*> Images(TDocViewer& viewer) {
  std::vector<TImageObj*> found;
  for (const auto& section : viewer.SectionList())
    if (auto* text = dynamic_cast<TSection*>(section.get()))
      for (int i = 0; i < text->Images.Count(); ++i) found.push_back(text->Images[i]);
  return found;
}

TEST_F(ViewerTest, PicturesPastTheCachesBudgetShowTheErrorPictureUntilTheNextDocument) {
  viewer->Parser = ParseDocument;
  viewer->SetViewImages(true);
  // Three pictures of 40 x 40 (6,400 bytes decoded each); room for two.
  constexpr std::int64_t picture = 40 * 40 * 4;
  TStringBitmapList& cache = BitmapList();
  struct Restore {
    TStringBitmapList& cache;
    ~Restore() { cache.SetPictureBudget(TStringBitmapList::DefaultPictureBudget); }
  } restore{cache};
  // The cache is the process's: what earlier documents left unused goes, and
  // what is still in use stays outside the room this test counts.
  cache.PurgeIdle();
  cache.SetPictureBudget(cache.HeldBytes() + 2 * picture + picture / 2);

  std::string page = "<P>";
  for (const char* name : {"b1.bmp", "b2.bmp", "b3.bmp"}) {
    const fixtures::Bytes bmp = fixtures::Bmp24(40, 40, std::vector<fixtures::Rgb>(1600, {0, 0, 255}));
    page += "<IMG SRC=\"" + Write(name, std::string(bmp.begin(), bmp.end())) + "\">";
  }
  page += "</P>";
  viewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
  std::vector<TImageObj*> shown = Images(*viewer);
  ASSERT_EQ(shown.size(), 3u);
  cl::TGraphic* const error = DocumentImages().ErrorBitmap();
  EXPECT_NE(shown[0]->Image, error);
  EXPECT_NE(shown[1]->Image, error);
  EXPECT_EQ(shown[2]->Image, error);
  EXPECT_LE(cache.HeldBytes(), cache.PictureBudget());
  EXPECT_TRUE(cache.OverBudget());

  // The next document starts with the budget open, and the pictures no image
  // uses any more make room.
  const std::string third = "<P><IMG SRC=\"" + (dir / "b3.bmp").string() + "\"></P>";
  viewer->LoadFromBuffer(third.data(), static_cast<int32_t>(third.size()));
  shown = Images(*viewer);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0]->Image, error);
  EXPECT_EQ(shown[0]->ObjWidth, 40);
  EXPECT_LE(cache.HeldBytes(), cache.PictureBudget());
  EXPECT_FALSE(cache.OverBudget());
}

// A picture of a claimed size that holds no pixels: what the budget counts
// without the memory.
class TClaimedPicture : public cl::TGraphic {
 public:
  TClaimedPicture(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  bool Empty() const override { return false; }

 private:
  std::int32_t width_, height_;
};

TEST(PictureBudget, TenTwelveMegapixelPhotographsFitTheDefaultBudgetAndALargeOneOnTopDoesNot) {
  TStringBitmapList cache;
  cache.SetCacheLimit(5);
  EXPECT_EQ(cache.PictureBudget(), TStringBitmapList::DefaultPictureBudget);
  for (int i = 0; i < 10; ++i) {
    const std::string key = "PHOTO" + std::to_string(i) + ".JPG";
    TBitmapItem& item =
        cache.AddItem(key, std::make_unique<TBitmapItem>(std::make_unique<TClaimedPicture>(4000, 3000), nullptr, trOpaque));
    EXPECT_FALSE(item.Failed()) << i;
  }
  EXPECT_EQ(cache.HeldBytes(), std::int64_t{10} * 4000 * 3000 * 4);
  // A 30-megapixel picture on top passes the budget.
  TBitmapItem& large =
      cache.AddItem("LARGE.JPG", std::make_unique<TBitmapItem>(std::make_unique<TClaimedPicture>(6000, 5000), nullptr, trOpaque));
  EXPECT_TRUE(large.Failed());
  EXPECT_LE(cache.HeldBytes(), cache.PictureBudget());
  // A small one fails too, until the next document.
  EXPECT_TRUE(cache.AddItem("ICON.GIF", std::make_unique<TBitmapItem>(std::make_unique<TClaimedPicture>(16, 16), nullptr, trOpaque)).Failed());
  cache.NewDocumentPass();
  EXPECT_FALSE(cache.AddItem("ICON.GIF", std::make_unique<TBitmapItem>(std::make_unique<TClaimedPicture>(16, 16), nullptr, trOpaque)).Failed());
  // Entries leaving give their bytes back.
  for (int i = 0; i < 10; ++i) cache.DecUsage("PHOTO" + std::to_string(i) + ".JPG");
  cache.PurgeIdle();
  EXPECT_EQ(cache.HeldBytes(), 16 * 16 * 4);
}

}  // namespace

}  // namespace html
