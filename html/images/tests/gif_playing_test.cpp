#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gif_test_encoder.h"
#include "html/document/animated_image.h"
#include "html/document/image_obj.h"
#include "html/images/document_images.h"
#include "html/images/gif/gif_image.h"
#include "html/images/image_cache.h"
#include "html/images/image_unit.h"
#include "html/testing/image_test_support.h"
#include "html/testing/layout_fixture.h"
#include "html/testing/stub_host.h"
#include "platform/core/scheduler.h"

namespace html {

namespace {

using namespace testing_gif;

class ClockScope {
 public:
  ClockScope() { win::SetScheduler(&clock); }
  ~ClockScope() { win::SetScheduler(nullptr); }
  win::ManualScheduler clock{5000};
};

TestGif RedThenGreen() {
  TestGif gif;
  gif.width = gif.height = 4;
  gif.globalColors = {0, 0xFF0000, 0x00FF00, 0x0000FF};
  gif.loopCount = 0;
  gif.frames = {Solid(0, 0, 4, 4, 1), Solid(0, 0, 4, 4, 2)};
  for (auto& f : gif.frames) f.delay = 10;
  return gif;
}

std::unique_ptr<TImageObj> ImageOf(const std::string& src) {
  TAttributeList list;
  list.Add(LayoutFixture::Attr(SrcSy, src));
  return std::make_unique<TImageObj>(0, list);
}

TEST(GifPlaying, AnimatedFilesAndStreamsComeFromTheGifDecoder) {
  TImageUnitScope unit;
  cl::testing::TempDirectory dir;
  const std::string file = dir.Write("anim.gif", EncodeGif(RedThenGreen()));
  StubHost host;
  host.OnImage = [&](const std::string& name) -> cl::TStream* {
    static std::unique_ptr<cl::TMemoryStream> held;
    held = StreamOf(EncodeGif(RedThenGreen()));
    return name == "stream" ? held.get() : nullptr;
  };
  LayoutFixture fromFile(&DocumentImages());
  LayoutFixture fromHost(&DocumentImages(), &host);
  for (auto [root, name] : {std::pair{&fromFile.root, file}, {&fromHost.root, std::string("stream")}}) {
    const TFetchedImage first = DocumentImages().FetchImage(*root, name, trOpaque);
    auto* gif = dynamic_cast<TGIFImage*>(first.Image);
    ASSERT_NE(gif, nullptr) << name;
    EXPECT_EQ(gif->FrameCount(), 2);
    EXPECT_FALSE(first.FromCache);
    const TFetchedImage again = DocumentImages().FetchImage(*root, name, trOpaque);
    EXPECT_EQ(again.Image, first.Image);
    EXPECT_TRUE(again.FromCache);
  }
}

TEST(GifPlaying, EveryImageObjectPlaysItsOwnAndTheTimerRepaintsIt) {
  ClockScope time;
  TImageUnitScope unit;
  cl::testing::TempDirectory dir;
  const std::string file = dir.Write("anim.gif", EncodeGif(RedThenGreen()));
  StubHost host;
  LayoutFixture f(&DocumentImages(), &host);
  auto first = ImageOf(file);
  auto second = ImageOf(file);
  first->LayoutImage(f.root, f.Canvas(), nullptr, 300);
  second->LayoutImage(f.root, f.Canvas(), nullptr, 300);
  ASSERT_EQ(f.root.AnimatedImages.Count(), 2);
  auto* cached = dynamic_cast<TGIFImage*>(first->Image);
  auto* copy = dynamic_cast<TGIFImage*>(second->Image);
  ASSERT_NE(cached, nullptr);
  ASSERT_NE(copy, nullptr);
  EXPECT_FALSE(cached->IsCopy());
  EXPECT_TRUE(copy->IsCopy());
  EXPECT_EQ(first->ImageWidth, 4);

  f.Layout(300);  // sets the first frames and starts them
  second->Draw(f.Canvas(), 20, 0, 4, nullptr);
  // Only what was drawn in the last paint steps, and it asks for its place
  // to be painted again.
  // The first due step shows no new frame.
  for (int i = 0; i < 2; ++i) {
    time.clock.Advance(100);
    f.root.AnimationTick();
  }
  EXPECT_EQ(cached->CurrentFrame(), 1);
  EXPECT_EQ(copy->CurrentFrame(), 2);
  ASSERT_FALSE(host.Invalidated.empty());
  EXPECT_EQ(host.Invalidated.back().Left, 20);
  EXPECT_EQ(host.Invalidated.back().Width(), 4);

  // The cache's entry may go while the copy plays on.
  first.reset();
  EXPECT_EQ(f.root.AnimatedImages.Count(), 1);
  BitmapList().Clear();
  time.clock.Advance(100);
  f.root.AnimationTick();
  second->Draw(f.Canvas(), 20, 0, 4, nullptr);
  EXPECT_EQ(copy->CurrentFrame(), 1);
  EXPECT_EQ(f.Canvas().GetPixel(20, 0) & 0xFFFFFF, cl::TColor(0x0000FF));
  // A print copy of the document gets a copy of its own as well.
  TSectionList print(f.root);
  TImageObj printed(print, *second);
  EXPECT_NE(printed.Image, second->Image);
  EXPECT_NE(dynamic_cast<TAnimatedImage*>(printed.Image), nullptr);
}

}  // namespace

}  // namespace html
