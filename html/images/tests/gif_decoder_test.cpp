#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "gif_test_encoder.h"
#include "html/images/gif/gif_image.h"
#include "html/images/gif/gif_lzw.h"
#include "html/images/image_decode.h"
#include "platform/core/memory_stream.h"
#include "platform/core/scheduler.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"

namespace html {

namespace {

using namespace testing_gif;

constexpr std::uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, Yellow = 0xFFFF00;
const std::vector<std::uint32_t> Palette = {0x000000, Red, Green, Blue, Yellow, 0x808080, 0xFFFFFF, 0x00FFFF};

// The layer's clock, advanced by hand for the length of a test.
class ClockScope {
 public:
  ClockScope() { win::SetScheduler(&clock); }
  ~ClockScope() { win::SetScheduler(nullptr); }
  win::ManualScheduler clock{1000};
};

std::unique_ptr<TGIFImage> Decode(const std::vector<std::uint8_t>& bytes, bool& useOther) {
  return CreateAnimatedGifFromMemory(bytes.data(), bytes.size(), useOther);
}

std::unique_ptr<TGIFImage> Decode(const TestGif& gif) {
  bool useOther = true;
  auto image = Decode(EncodeGif(gif), useOther);
  EXPECT_FALSE(useOther);
  return image;
}

std::uint32_t PixelAt(const TGIFImage& image, int x, int y) {
  return image.CompositePixels()[static_cast<std::size_t>(y * image.Width() + x)];
}

bool TransparentAt(const TGIFImage& image, int x, int y) {
  return image.CompositeMask()[static_cast<std::size_t>(y * image.Width() + x)] != 0;
}

TestGif TwoFrames(int w = 4, int h = 4) {
  TestGif gif;
  gif.width = w;
  gif.height = h;
  gif.globalColors = Palette;
  gif.frames = {Solid(0, 0, w, h, 1), Solid(0, 0, w, h, 2)};
  return gif;
}

// Frame changes while the clock moves on by step, until the animation stops
// or limit steps have passed.
int FramesShown(TGIFImage& image, win::ManualScheduler& clock, int step, int limit) {
  image.SetAnimate(true);
  int changes = 0;
  for (int i = 0; i < limit && image.Animate(); ++i) {
    clock.Advance(static_cast<std::uint64_t>(step));
    if (image.Step()) ++changes;
  }
  return changes;
}

TEST(GifDecoder, OnlyAnimatedGifsAreKept) {
  bool useOther = false;
  TestGif one = TwoFrames();
  one.frames.pop_back();
  EXPECT_EQ(Decode(EncodeGif(one), useOther), nullptr);
  EXPECT_TRUE(useOther);
  const std::vector<std::uint8_t> notGif = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Decode(notGif, useOther), nullptr);
  EXPECT_TRUE(useOther);
  auto two = Decode(TwoFrames());
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(two->FrameCount(), 2);
  EXPECT_EQ(PixelAt(*two, 3, 3), Red);
}

TEST(GifDecoder, LoopCountsGiveTheirPasses) {
  struct Case {
    int loopCount;  // -1: no NETSCAPE2.0 extension
    int changes;    // frame changes before the animation stops; -1: it never stops
  };
  // Three frames; the first due step shows no new frame.
  for (const Case c : {Case{-1, 2}, Case{3, 2 + 3 + 3}, Case{0, -1}}) {
    ClockScope time;
    TestGif gif = TwoFrames();
    gif.frames.push_back(Solid(0, 0, 4, 4, 3));
    for (auto& f : gif.frames) f.delay = 10;
    gif.loopCount = c.loopCount;
    auto image = Decode(gif);
    ASSERT_NE(image, nullptr);
    const int shown = FramesShown(*image, time.clock, 100, 200);
    if (c.changes < 0) {
      EXPECT_TRUE(image->Animate()) << c.loopCount;
      EXPECT_GT(shown, 150);
    } else {
      EXPECT_FALSE(image->Animate()) << c.loopCount;
      EXPECT_EQ(shown, c.changes) << c.loopCount;
      EXPECT_EQ(image->CurrentFrame(), 3) << "the last frame stays";
    }
  }
}

TEST(GifDecoder, DelaysDecideWhenTheNextFrameIsDue) {
  ClockScope time;
  TestGif gif = TwoFrames();
  gif.loopCount = 0;
  gif.frames[0].delay = 20;  // 200 ms
  gif.frames[1].delay = 0;
  auto image = Decode(gif);
  ASSERT_NE(image, nullptr);
  image->SetAnimate(true);
  time.clock.Advance(200);
  EXPECT_FALSE(image->Step()) << "the first due step shows no new frame";
  time.clock.Advance(199);
  EXPECT_FALSE(image->Step());
  time.clock.Advance(1);
  EXPECT_TRUE(image->Step());
  EXPECT_EQ(image->CurrentFrame(), 2);
  // A delay of 0 advances at every tick; at twice the speed the first
  // frame's 200 ms become 100.
  image->Speed = 200;
  time.clock.Advance(1);
  EXPECT_TRUE(image->Step());
  EXPECT_EQ(image->CurrentFrame(), 1);
  time.clock.Advance(99);
  EXPECT_FALSE(image->Step());
  time.clock.Advance(1);
  EXPECT_TRUE(image->Step());
}

TEST(GifDecoder, DisposalDecidesWhatStaysUnderTheNextFrame) {
  struct Case {
    int disposal;
    std::uint32_t under;  // the second frame's area once the third is shown
    bool transparent;
  };
  for (const Case c : {Case{0, Green, false}, Case{1, Green, false}, Case{2, 0, true}, Case{3, Red, false},
                       Case{4, 0, true}, Case{7, 0, true}}) {
    TestGif gif;
    gif.width = gif.height = 6;
    gif.globalColors = Palette;
    gif.frames = {Solid(0, 0, 6, 6, 1), Solid(1, 1, 2, 2, 2), Solid(5, 5, 1, 1, 3)};
    gif.frames[0].transparent = 7;  // makes the image transparent without hiding anything
    gif.frames[1].disposal = c.disposal;
    auto image = Decode(gif);
    ASSERT_NE(image, nullptr);
    image->SetCurrentFrame(2);
    EXPECT_EQ(PixelAt(*image, 1, 1), Green) << c.disposal;
    image->SetCurrentFrame(3);
    EXPECT_EQ(PixelAt(*image, 2, 2), c.under) << c.disposal;
    EXPECT_EQ(TransparentAt(*image, 2, 2), c.transparent) << c.disposal;
    EXPECT_EQ(PixelAt(*image, 0, 0), Red) << c.disposal;
    EXPECT_EQ(PixelAt(*image, 5, 5), Blue) << c.disposal;
  }
}

TEST(GifDecoder, TransparentPixelsShowWhatLiesBelow) {
  cl::EnsureQtApplication();
  TestGif gif = TwoFrames();
  gif.frames[0].pixels = {1, 7, 1, 7, 1, 7, 1, 7, 1, 7, 1, 7, 1, 7, 1, 7};
  gif.frames[0].transparent = 7;
  auto image = Decode(gif);
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->HasTransparency());
  cl::TBitmap page;
  page.SetSize(20, 20);
  page.Canvas().FillRect({0, 0, 20, 20}, cl::TColor(0x00FF00));  // green page
  image->Draw(page.Canvas(), 2, 2, 8, 8);  // stretched twice
  EXPECT_EQ(page.Canvas().GetPixel(2, 2), cl::TColor(0x0000FF)) << "red pixel";
  EXPECT_EQ(page.Canvas().GetPixel(4, 2), cl::TColor(0x00FF00)) << "transparent shows the page";
  EXPECT_EQ(page.Canvas().GetPixel(11, 11), cl::TColor(0x00FF00)) << "outside";
  ASSERT_NE(image->CurrentFrameMask(), nullptr);
  EXPECT_EQ(image->CurrentFrameBitmap()->Width(), 4);
}

TEST(GifDecoder, InterlacedRowsComeBackInOrder) {
  TestGif gif = TwoFrames(3, 11);
  TestFrame& f = gif.frames[0];
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 3; ++x) f.pixels[static_cast<std::size_t>(y * 3 + x)] = static_cast<std::uint8_t>(y % 8);
  f.interlaced = true;
  auto image = Decode(gif);
  ASSERT_NE(image, nullptr);
  for (int y = 0; y < 11; ++y) EXPECT_EQ(PixelAt(*image, 1, y), Palette[static_cast<std::size_t>(y % 8)]) << y;
}

// Pixels that make the table fill up: runs (the code being defined comes
// next) and a pattern that keeps adding strings.
std::vector<std::uint8_t> BusyPixels(int count) {
  std::vector<std::uint8_t> pixels;
  std::uint32_t seed = 7;
  while (static_cast<int>(pixels.size()) < count) {
    seed = seed * 1103515245 + 12345;
    const int run = 1 + static_cast<int>((seed >> 16) % 9);
    const auto value = static_cast<std::uint8_t>((seed >> 8) % 256);
    for (int i = 0; i < run && static_cast<int>(pixels.size()) < count; ++i) pixels.push_back(value);
  }
  return pixels;
}

TEST(GifDecoder, RealCodeStreamsDecodeWithAFullTable) {
  std::vector<std::uint32_t> colors(256);
  for (std::size_t i = 0; i < 256; ++i) colors[i] = static_cast<std::uint32_t>(i * 0x010101);
  for (const bool clearWhenFull : {true, false}) {
    TestGif gif;
    gif.width = 120;
    gif.height = 100;
    gif.globalColors = colors;
    gif.realLzw = true;
    gif.clearWhenFull = clearWhenFull;
    TestFrame f = Solid(0, 0, 120, 100, 0);
    f.pixels = BusyPixels(120 * 100);
    gif.frames = {f, Solid(0, 0, 1, 1, 0)};
    auto image = Decode(gif);
    ASSERT_NE(image, nullptr);
    const std::vector<std::uint8_t>& decoded = image->Frame(1).Pixels;
    EXPECT_EQ(decoded, f.pixels) << clearWhenFull;
  }
}

TEST(GifDecoder, AgreesWithTheOtherDecoderOnOneFrame) {
  cl::EnsureQtApplication();
  std::vector<std::uint32_t> colors(256);
  for (std::size_t i = 0; i < 256; ++i) colors[i] = static_cast<std::uint32_t>((i * 0x030507) & 0xFFFFFF);
  TestGif gif;
  gif.width = 90;
  gif.height = 70;
  gif.globalColors = colors;
  gif.realLzw = true;
  TestFrame f = Solid(0, 0, 90, 70, 0);
  f.pixels = BusyPixels(90 * 70);
  gif.frames = {f};
  const std::vector<std::uint8_t> bytes = EncodeGif(gif);
  TGIFImage ours;
  ASSERT_TRUE(ours.Load(bytes.data(), bytes.size()));
  cl::TMemoryStream stream;
  stream.Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  std::unique_ptr<cl::TBitmap> theirs = DecodeImageStream(&stream, false);
  ASSERT_NE(theirs, nullptr);
  int differences = 0;
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 90; ++x) {
      const std::uint32_t rgb = PixelAt(ours, x, y);
      const cl::TColor expected = static_cast<cl::TColor>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16));
      if (theirs->Canvas().GetPixel(x, y) != expected) ++differences;
    }
  EXPECT_EQ(differences, 0);
}

TEST(GifLzw, TheCodeBeingDefinedRepeatsThePreviousString) {
  // Minimum code size 2, 3-bit codes: clear, 0, 6 (not yet in the table), end.
  const std::uint8_t data[] = {0x84, 0x0B};
  std::vector<std::uint8_t> pixels(3, 9);
  ASSERT_TRUE(DecodeLzw(data, sizeof data, 2, 3, 1, false, pixels.data()));
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(GifLzw, CorruptStreamsFail) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> data;
    int minCodeSize;
  };
  const Case cases[] = {
      {"a code above the next free one", {0xC4, 0x0B}, 2},  // clear, 0, 7, end
      {"a first code that is no literal", {0x74, 0x01}, 2},  // clear, 6, end
      {"minimum code size 0", {0x00}, 0},
      {"minimum code size 12", {0x00, 0x10}, 12},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> pixels(3, 0);
    EXPECT_FALSE(DecodeLzw(c.data.data(), c.data.size(), c.minCodeSize, 3, 1, false, pixels.data())) << c.what;
  }
  // Data that ends early leaves the rest of the frame as it was.
  std::vector<std::uint8_t> pixels(3, 9);
  const std::uint8_t shortData[] = {0x04};  // clear, 0
  EXPECT_TRUE(DecodeLzw(shortData, 1, 2, 3, 1, false, pixels.data()));
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{0, 9, 9}));
}

// A GIF of two good frames and a third whose bytes are replaced.
std::vector<std::uint8_t> WithBadThirdFrame(const std::vector<std::uint8_t>& frameBytes, bool trailer = true) {
  TestGif gif = TwoFrames();
  std::vector<std::uint8_t> b = EncodeHead(gif);
  for (const TestFrame& f : gif.frames) {
    const auto bytes = EncodeFrame(gif, f);
    b.insert(b.end(), bytes.begin(), bytes.end());
  }
  b.insert(b.end(), frameBytes.begin(), frameBytes.end());
  if (trailer) b.push_back(0x3B);
  return b;
}

TEST(GifDecoder, ACorruptFrameEndsTheImageAndKeepsTheFramesBeforeIt) {
  const std::vector<std::uint8_t> descriptor = {0x2C, 0, 0, 0, 0, 3, 0, 1, 0, 0};
  auto withData = [&](std::vector<std::uint8_t> data) {
    std::vector<std::uint8_t> b = descriptor;
    b.insert(b.end(), data.begin(), data.end());
    return b;
  };
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    bool trailer;
  };
  const Case cases[] = {
      {"a code above the next free one", withData({2, 2, 0xC4, 0x0B, 0}), true},
      {"code size 12", withData({12, 2, 0x00, 0x10, 0}), true},
      {"a first code that is no literal", withData({2, 2, 0x74, 0x01, 0}), true},
      {"data cut inside a sub-block", withData({2, 200, 0x84}), false},
      {"a descriptor cut short", {0x2C, 0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    bool useOther = true;
    auto image = Decode(WithBadThirdFrame(c.bytes, c.trailer), useOther);
    ASSERT_NE(image, nullptr) << c.what;
    EXPECT_EQ(image->FrameCount(), 2) << c.what;
    EXPECT_FALSE(useOther) << c.what;
  }
  // When the first frame is corrupt nothing is left: the error picture shows.
  TestGif gif = TwoFrames();
  std::vector<std::uint8_t> b = EncodeHead(gif);
  const auto bad = withData({2, 2, 0xC4, 0x0B, 0});
  b.insert(b.end(), bad.begin(), bad.end());
  const auto good = EncodeFrame(gif, gif.frames[1]);
  b.insert(b.end(), good.begin(), good.end());
  b.push_back(0x3B);
  bool useOther = true;
  EXPECT_EQ(Decode(b, useOther), nullptr);
  EXPECT_FALSE(useOther);
  // Every truncation of a good file ends cleanly.
  const std::vector<std::uint8_t> whole = EncodeGif(TwoFrames(5, 5));
  for (std::size_t n = 0; n < whole.size(); ++n) {
    TGIFImage image;
    image.Load(whole.data(), n);
  }
}

TEST(GifDecoder, FramesPastThe256thAreIgnored) {
  TestGif gif = TwoFrames(2, 2);
  gif.frames.assign(257, Solid(0, 0, 2, 2, 1));
  gif.frames.back() = Solid(0, 0, 2, 2, 2);
  auto image = Decode(gif);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->FrameCount(), 256);
  image->SetCurrentFrame(256);
  EXPECT_EQ(PixelAt(*image, 0, 0), Red);
}

TEST(GifDecoder, ImagesTooLargeAreRefused) {
  struct Case {
    const char* what;
    int screenWidth, screenHeight;
    int frameWidth, frameHeight, frames;
  };
  const Case cases[] = {
      {"a 65535 x 65535 screen", 65535, 65535, 1, 1, 2},
      {"frames reaching past 2^24 pixels", 1, 1, 65535, 65535, 2},
      {"frames of more than 256 MB together", 4096, 4096, 4096, 4096, 17},
  };
  for (const Case& c : cases) {
    TestGif gif;
    gif.width = c.screenWidth;
    gif.height = c.screenHeight;
    gif.globalColors = Palette;
    std::vector<std::uint8_t> b = EncodeHead(gif);
    for (int i = 0; i < c.frames; ++i) {
      // Only the descriptor is large: the data is a clear and an end code.
      const std::vector<std::uint8_t> frame = {0x2C, 0, 0, 0, 0,
                                               static_cast<std::uint8_t>(c.frameWidth & 0xFF),
                                               static_cast<std::uint8_t>(c.frameWidth >> 8),
                                               static_cast<std::uint8_t>(c.frameHeight & 0xFF),
                                               static_cast<std::uint8_t>(c.frameHeight >> 8),
                                               0, 3, 1, 0x2C, 0};
      b.insert(b.end(), frame.begin(), frame.end());
    }
    b.push_back(0x3B);
    bool useOther = true;
    EXPECT_EQ(Decode(b, useOther), nullptr) << c.what;
    EXPECT_FALSE(useOther) << c.what << ": not handed to the other decoder either";
  }
}

TEST(GifDecoder, ALongAnimationOfScreenSizedFramesPlays) {
  // 256 frames of 640 x 480 keep 75 MB of colour indices.
  TestGif gif;
  gif.width = 640;
  gif.height = 480;
  gif.globalColors = Palette;
  gif.realLzw = true;
  for (int i = 0; i < TGIFImage::MaxFrames; ++i) gif.frames.push_back(Solid(0, 0, 640, 480, i % 2 ? 2 : 1));
  bool useOther = true;
  auto image = Decode(EncodeGif(gif), useOther);
  ASSERT_NE(image, nullptr);
  EXPECT_FALSE(useOther);
  EXPECT_EQ(image->FrameCount(), 256);
  image->SetCurrentFrame(256);
  EXPECT_EQ(PixelAt(*image, 639, 479), Green);
}

TEST(GifDecoder, AStepRepaintsOnlyWhatItsFramesChangedAndTheDrawnPictureFollows) {
  ClockScope time;
  cl::EnsureQtApplication();
  TestGif gif;
  gif.width = gif.height = 64;
  gif.globalColors = Palette;
  gif.loopCount = 0;
  TestFrame whole = Solid(0, 0, 64, 64, 1);
  whole.disposal = 1;
  TestFrame patch = Solid(16, 8, 8, 4, 2);
  for (int y = 0; y < 4; ++y) patch.pixels[static_cast<std::size_t>(y * 8)] = 0;  // its first column
  patch.transparent = 0;
  patch.disposal = 2;
  TestFrame corner = Solid(40, 40, 4, 4, 3);
  corner.disposal = 1;
  gif.frames = {whole, patch, corner};
  auto image = Decode(gif);
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(image->HasTransparency());
  // Shown twice its size at (10, 20) on a white page: picture pixel (x, y)
  // covers page pixels (10 + 2x, 20 + 2y) and the next ones.
  cl::TBitmap page;
  page.SetSize(160, 160);
  auto paint = [&] {
    page.Canvas().FillRect({0, 0, 160, 160}, cl::clWhite);
    image->Draw(page.Canvas(), 10, 20, 128, 128);
  };
  auto seen = [&](int x, int y) { return page.Canvas().GetPixel(10 + 2 * x, 20 + 2 * y) & 0xFFFFFF; };
  paint();
  image->SetAnimate(true);
  struct Case {
    const char* step;
    cl::TRect changed;  // page coordinates
    std::vector<std::pair<std::pair<int, int>, cl::TColor>> pixels;
  };
  const Case cases[] = {
      {"the patch comes", {42, 36, 58, 44}, {{{16, 8}, cl::clRed}, {{18, 9}, cl::clLime}, {{0, 0}, cl::clRed}}},
      {"the patch goes, the corner comes", {42, 36, 98, 108},
       {{{18, 9}, cl::clWhite}, {{16, 8}, cl::clWhite}, {{41, 41}, cl::clBlue}, {{0, 0}, cl::clRed}}},
      {"the whole picture again", {10, 20, 138, 148}, {{{18, 9}, cl::clRed}, {{41, 41}, cl::clRed}}},
  };
  time.clock.Advance(10);
  EXPECT_FALSE(image->Step());  // the first due step shows no new frame
  for (const Case& c : cases) {
    time.clock.Advance(10);
    const std::optional<cl::TRect> changed = image->Step();
    ASSERT_TRUE(changed) << c.step;
    EXPECT_EQ(*changed, c.changed) << c.step;
    paint();
    for (const auto& [at, colour] : c.pixels)
      EXPECT_EQ(seen(at.first, at.second), colour) << c.step << " at " << at.first << "," << at.second;
  }
}

TEST(GifDecoder, CopiesPlayOnTheirOwnAndOutliveTheOriginal) {
  ClockScope time;
  cl::EnsureQtApplication();
  TestGif gif = TwoFrames();
  gif.loopCount = 0;
  auto original = Decode(gif);
  ASSERT_NE(original, nullptr);
  std::unique_ptr<TAnimatedImage> copy = original->CreateCopy();
  auto* gifCopy = dynamic_cast<TGIFImage*>(copy.get());
  ASSERT_NE(gifCopy, nullptr);
  EXPECT_TRUE(gifCopy->IsCopy());
  original->SetCurrentFrame(2);
  EXPECT_EQ(gifCopy->CurrentFrame(), 1);
  EXPECT_EQ(PixelAt(*gifCopy, 0, 0), Red);
  original.reset();  // the cache entry goes while the copy plays
  gifCopy->SetAnimate(true);
  cl::TBitmap page;
  page.SetSize(8, 8);
  for (int i = 0; i < 4; ++i) {
    time.clock.Advance(10);
    gifCopy->Step();
    gifCopy->Draw(page.Canvas(), 0, 0, 4, 4);
  }
  EXPECT_EQ(gifCopy->CurrentFrame(), 2);  // the first step shows no new frame, then three
  EXPECT_EQ(page.Canvas().GetPixel(0, 0), cl::TColor(0x00FF00));
}

}  // namespace

}  // namespace html
