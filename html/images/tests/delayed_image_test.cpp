#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gif_test_encoder.h"
#include "html/document/animated_image.h"
#include "html/document/image_obj.h"
#include "html/images/document_images.h"
#include "html/images/image_cache.h"
#include "html/images/image_unit.h"
#include "html/testing/image_test_support.h"
#include "html/testing/layout_fixture.h"
#include "html/testing/stub_host.h"

namespace html {

namespace {

// A document whose host answers every picture request with "later".
class DelayedImages : public ::testing::Test {
 protected:
  DelayedImages() {
    host.OnImage = [](const std::string&) -> cl::TStream* { return ImageUnit().WaitStream.get(); };
  }
  std::unique_ptr<TImageObj> Waiting(const std::string& src, bool transparent = false) {
    TAttributeList list;
    list.Add(LayoutFixture::Attr(SrcSy, src));
    list.Add(LayoutFixture::Attr(AltSy, "wait"));
    if (transparent) list.Add(LayoutFixture::Attr(TranspSy, ""));
    auto image = std::make_unique<TImageObj>(0, list);
    image->LayoutImage(f.root, f.Canvas(), nullptr, 300);
    return image;
  }
  TImageUnitScope unit;
  StubHost host;
  LayoutFixture f{&DocumentImages(), &host};
};

fixtures::Bytes FourByTwo() {
  std::vector<fixtures::Rgb> pixels(8, {0, 0, 255});
  pixels[4] = {255, 255, 255};  // lower left
  return fixtures::Bmp24(4, 2, pixels);
}

TEST_F(DelayedImages, EveryImageWaitingForAPictureTakesItWhenItComes) {
  auto first = Waiting("later.bmp");
  auto second = Waiting("later.bmp", true);
  auto other = Waiting("other.bmp");
  ASSERT_EQ(first->Image, DocumentImages().DefaultBitmap());
  ASSERT_EQ(f.root.DelayedImages.Count(), 3);
  EXPECT_GE(first->ImageWidth, 24);  // the placeholder meanwhile

  const auto bytes = StreamOf(FourByTwo());
  ASSERT_TRUE(DocumentImages().InsertDelayedImage(f.root, " later.bmp", bytes.get()));
  EXPECT_EQ(f.root.DelayedImages.Count(), 1);
  EXPECT_EQ(f.root.DelayedImages.Objects(0), other.get());
  ASSERT_NE(first->Image, DocumentImages().DefaultBitmap());
  EXPECT_EQ(first->Image, second->Image);
  // TRANSP asked for a mask; the other draws without one.
  EXPECT_NE(second->MaskImage, nullptr);
  EXPECT_TRUE(second->TransparencyKind == trLowerLeft);
  EXPECT_TRUE(first->TransparencyKind == trOpaque);
  for (auto* image : {first.get(), second.get()}) {
    image->LayoutImage(f.root, f.Canvas(), nullptr, 300);
    EXPECT_EQ(image->ImageWidth, 4);
    EXPECT_EQ(image->ImageHeight, 2);
  }
  // Nothing waits for it any more; the other one keeps its stand-in.
  EXPECT_FALSE(DocumentImages().InsertDelayedImage(f.root, "later.bmp", bytes.get()));
  EXPECT_EQ(other->Image, DocumentImages().DefaultBitmap());
  // Still not there: it goes on waiting.
  EXPECT_FALSE(DocumentImages().InsertDelayedImage(f.root, "other.bmp", ImageUnit().WaitStream.get()));
  EXPECT_EQ(f.root.DelayedImages.Count(), 1);
}

TEST_F(DelayedImages, APictureThatCameLaterLeavesTheCacheWithItsLastImage) {
  TStringBitmapList& cache = BitmapList();
  const std::int64_t heldBefore = cache.HeldBytes();
  auto first = Waiting("later.bmp");
  auto second = Waiting("later.bmp", true);
  const auto bytes = StreamOf(FourByTwo());
  ASSERT_TRUE(DocumentImages().InsertDelayedImage(f.root, "later.bmp", bytes.get()));
  int index = -1;
  ASSERT_TRUE(cache.Find("LATER.BMP", index));
  // One use for each image, as if each had found the picture at once.
  EXPECT_EQ(cache.Item(index)->UserCount, 2);

  first.reset();
  cache.PurgeIdle();
  EXPECT_TRUE(cache.Find("LATER.BMP", index));
  second.reset();
  cache.PurgeIdle();
  EXPECT_FALSE(cache.Find("LATER.BMP", index));
  EXPECT_EQ(cache.HeldBytes(), heldBefore);
}

TEST_F(DelayedImages, APictureThatCannotBeDecodedShowsTheErrorBitmap) {
  auto image = Waiting("broken.bmp");
  const auto junk = StreamOf({'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
  ASSERT_TRUE(DocumentImages().InsertDelayedImage(f.root, "broken.bmp", junk.get()));
  EXPECT_EQ(image->Image, DocumentImages().ErrorBitmap());
  EXPECT_EQ(image->MaskImage, DocumentImages().ErrorMask());
  EXPECT_EQ(f.root.DelayedImages.Count(), 0);
}

TEST_F(DelayedImages, AnAnimationThatComesJoinsTheDocumentsAnimations) {
  testing_gif::TestGif gif;
  gif.width = gif.height = 2;
  gif.globalColors = {0, 0xFF0000};
  gif.frames = {testing_gif::Solid(0, 0, 2, 2, 1), testing_gif::Solid(0, 0, 2, 2, 0)};
  auto first = Waiting("anim.gif");
  auto second = Waiting("anim.gif");
  const auto bytes = StreamOf(testing_gif::EncodeGif(gif));
  ASSERT_TRUE(DocumentImages().InsertDelayedImage(f.root, "anim.gif", bytes.get()));
  ASSERT_NE(dynamic_cast<TAnimatedImage*>(first->Image), nullptr);
  ASSERT_NE(dynamic_cast<TAnimatedImage*>(second->Image), nullptr);
  // Each plays on its own.
  EXPECT_NE(first->Image, second->Image);
  EXPECT_EQ(f.root.AnimatedImages.Count(), 2);
  second.reset();
  EXPECT_EQ(f.root.AnimatedImages.Count(), 1);
}

TEST_F(DelayedImages, AnImageFreedWhileWaitingIsNotLookedFor) {
  auto kept = Waiting("later.bmp");
  auto freed = Waiting("later.bmp");
  ASSERT_EQ(f.root.DelayedImages.Count(), 2);
  freed.reset();
  EXPECT_EQ(f.root.DelayedImages.Count(), 1);
  const auto bytes = StreamOf(FourByTwo());
  ASSERT_TRUE(DocumentImages().InsertDelayedImage(f.root, "later.bmp", bytes.get()));
  EXPECT_NE(kept->Image, DocumentImages().DefaultBitmap());
}

TEST_F(DelayedImages, AWaitingBackgroundIsFetchedAgainFromTheCache) {
  f.root.SetBackgroundName("back.bmp");
  EXPECT_EQ(f.root.BackgroundBitmap(), nullptr);
  ASSERT_EQ(f.root.DelayedImages.Count(), 1);
  const auto bytes = StreamOf(FourByTwo());
  ASSERT_TRUE(DocumentImages().InsertDelayedImage(f.root, "back.bmp", bytes.get()));
  host.OnImage = [](const std::string&) -> cl::TStream* {
    ADD_FAILURE() << "asked the host again";
    return nullptr;
  };
  cl::TBitmap* background = f.root.BackgroundBitmap();
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->Width(), 4);
}

}  // namespace

}  // namespace html
