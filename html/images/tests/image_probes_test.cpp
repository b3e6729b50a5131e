#include "html/images/image_probes.h"

#include <gtest/gtest.h>

#include "html/testing/image_test_support.h"

namespace html {

namespace {

using fixtures::Bytes;
using fixtures::Rgb;

const std::vector<Rgb> kTable = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}};

TEST(GifProbe, TransparentColourOnlyFromAControlExtensionRightAfterTheGlobalTable) {
  struct Case {
    const char* name;
    fixtures::GifOptions options;
    bool found;
    cl::TColor colour;
  };
  auto gif = [](auto change) {
    fixtures::GifOptions o;
    o.globalTable = kTable;
    o.blocksBeforeImage = fixtures::GifControlExtension(true, 2);
    change(o);
    return o;
  };
  const Case cases[] = {
      {"control extension first", gif([](auto&) {}), true, cl::RGB(70, 80, 90)},
      {"application extension first", gif([](auto& o) {
         o.blocksBeforeImage = fixtures::Concat({fixtures::GifApplicationExtension(), fixtures::GifControlExtension(true, 2)});
       }), false, 0},
      {"transparency flag clear", gif([](auto& o) { o.blocksBeforeImage = fixtures::GifControlExtension(false, 2); }),
       false, 0},
      {"no global table", gif([](auto& o) { o.tableFlag = false; }), false, 0},
      {"GIF87", gif([](auto& o) { o.version = "87a"; }), false, 0},
      {"index beyond the table", gif([](auto& o) { o.blocksBeforeImage = fixtures::GifControlExtension(true, 9); }),
       false, 0},
      {"largest table", gif([](auto& o) {
         o.globalTable.assign(256, Rgb{1, 1, 1});
         o.globalTable[255] = {7, 8, 9};
         o.blocksBeforeImage = fixtures::GifControlExtension(true, 255);
       }), true, cl::RGB(7, 8, 9)},
  };
  for (const auto& c : cases) {
    auto stream = StreamOf(fixtures::Gif(c.options));
    stream->SetPosition(3);
    cl::TColor colour = -5;
    EXPECT_EQ(GifTransparentColor(*stream, colour), c.found) << c.name;
    if (c.found) {
      EXPECT_EQ(colour, c.colour) << c.name;
    }
    EXPECT_EQ(stream->Position(), 3) << c.name;
  }
}

TEST(GifProbe, ShortStreamsAndFilesAnswerFalse) {
  const Bytes whole = fixtures::Gif([] {
    fixtures::GifOptions o;
    o.globalTable = kTable;
    o.blocksBeforeImage = fixtures::GifControlExtension(true, 1);
    return o;
  }());
  for (const std::size_t cut : {0, 5, 13, 24, 30}) {
    auto stream = StreamOf(Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)));
    cl::TColor colour = 0;
    EXPECT_FALSE(GifTransparentColor(*stream, colour)) << cut;
  }
  const cl::testing::TempDirectory dir;
  cl::TColor colour = 0;
  EXPECT_TRUE(GifFileTransparentColor(dir.Write("t.gif", whole), colour));
  EXPECT_EQ(colour, cl::RGB(40, 50, 60));
  EXPECT_FALSE(GifFileTransparentColor(dir / "none.gif", colour));
}

TEST(GifProbe, AnAnimationTakesItsFirstFrameTransparencyPastTheApplicationExtension) {
  struct Case {
    const char* name;
    Bytes gif;
    bool found;
    cl::TColor colour;
  };
  auto options = [](Bytes blocks) {
    fixtures::GifOptions o;
    o.globalTable = kTable;
    o.blocksBeforeImage = std::move(blocks);
    return o;
  };
  const Bytes loop = fixtures::GifApplicationExtension();
  const Bytes animation = TwoFrameGif(options(fixtures::Concat({loop, fixtures::GifControlExtension(true, 1)})));
  const Case cases[] = {
      {"after the application extension", animation, true, cl::RGB(40, 50, 60)},
      {"control extension first", TwoFrameGif(options(fixtures::GifControlExtension(true, 3))), true,
       cl::RGB(100, 110, 120)},
      {"transparency flag clear",
       TwoFrameGif(options(fixtures::Concat({loop, fixtures::GifControlExtension(false, 1)}))), false, 0},
      {"no control extension", TwoFrameGif(options(loop)), false, 0},
      {"index beyond the table", TwoFrameGif(options(fixtures::Concat({loop, fixtures::GifControlExtension(true, 9)}))),
       false, 0},
      // A still picture keeps to the probe of the first block after the table.
      {"single frame", fixtures::Gif(options(fixtures::Concat({loop, fixtures::GifControlExtension(true, 1)}))), false,
       0},
      {"cut inside the first frame", Bytes(animation.begin(), animation.end() - 30), false, 0},
      {"GIF87", [&] {
         Bytes old = animation;
         old[4] = '7';
         return old;
       }(), false, 0},
  };
  for (const auto& c : cases) {
    auto stream = StreamOf(c.gif);
    stream->SetPosition(4);
    cl::TColor colour = -5;
    EXPECT_EQ(AnimatedGifTransparentColor(*stream, colour), c.found) << c.name;
    if (c.found) {
      EXPECT_EQ(colour, c.colour) << c.name;
    }
    EXPECT_EQ(stream->Position(), 4) << c.name;
  }
  const cl::testing::TempDirectory dir;
  cl::TColor colour = 0;
  EXPECT_TRUE(AnimatedGifFileTransparentColor(dir.Write("a.gif", animation), colour));
  EXPECT_EQ(colour, cl::RGB(40, 50, 60));
  EXPECT_FALSE(AnimatedGifFileTransparentColor(dir / "none.gif", colour));
}

Bytes Trns(uint8_t alpha) { return fixtures::PngChunk("tRNS", {alpha, 255}); }
Bytes Plte() { return fixtures::PngChunk("PLTE", {11, 22, 33, 44, 55, 66}); }

// A chunk header with a length the file does not have.
Bytes HostileChunk(uint32_t length) {
  Bytes out;
  fixtures::Be32(out, length);
  out.insert(out.end(), {'t', 'E', 'X', 't', 'a', 'b'});
  return out;
}

TEST(PngProbe, PaletteImagesWithATransparentFirstEntryAfterThePalette) {
  struct Case {
    const char* name;
    Bytes png;
    bool found;
  };
  const Case cases[] = {
      {"tRNS after PLTE, alpha 0", fixtures::PalettePng(fixtures::Concat({Plte(), Trns(0)})), true},
      {"alpha 126", fixtures::PalettePng(fixtures::Concat({Plte(), Trns(126)})), true},
      {"alpha 127", fixtures::PalettePng(fixtures::Concat({Plte(), Trns(127)})), false},
      {"tRNS before PLTE", fixtures::PalettePng(fixtures::Concat({Trns(0), Plte()})), false},
      {"no tRNS", fixtures::PalettePng(Plte()), false},
      {"truecolour", fixtures::Concat({fixtures::PngSignature(), fixtures::PngChunk("IHDR", fixtures::PngIhdr(1, 1, 8, 2)),
                                       Plte(), Trns(0), fixtures::PngChunk("IEND", {})}),
       false},
      {"tRNS after IDAT", fixtures::Concat({fixtures::PngSignature(), fixtures::PngChunk("IHDR", fixtures::PngIhdr(2, 2, 8, 3)),
                                            Plte(), fixtures::PngChunk("IDAT", fixtures::PngIdat({{0, 1}, {1, 0}})),
                                            Trns(0), fixtures::PngChunk("IEND", {})}),
       false},
      {"not a PNG", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0}, false},
  };
  for (const auto& c : cases) {
    auto stream = StreamOf(c.png);
    stream->SetPosition(5);
    cl::TColor colour = -1;
    EXPECT_EQ(PngHasTransparentColor(*stream, colour), c.found) << c.name;
    if (c.found) {
      EXPECT_EQ(colour, cl::RGB(11, 22, 33)) << c.name;
    }
    EXPECT_EQ(stream->Position(), 5) << c.name;
  }
}

TEST(PngProbe, HostileChunkLengthsEndTheWalk) {
  const Bytes head = fixtures::Concat({fixtures::PngSignature(), fixtures::PngChunk("IHDR", fixtures::PngIhdr(2, 2, 8, 3)), Plte()});
  for (const uint32_t length : {0xFFFFFFFFu, 0x80000000u, 0xFFFFFFF4u, 0x7FFFFFFFu, 1000u}) {
    // The hostile chunk, then what would make the image transparent.
    auto stream = StreamOf(fixtures::Concat({head, HostileChunk(length), Trns(0)}));
    cl::TColor colour = 0;
    EXPECT_FALSE(PngHasTransparentColor(*stream, colour)) << length;
  }
  // A length of zero is harmless and the walk goes on.
  auto zero = StreamOf(fixtures::Concat({head, fixtures::PngChunk("tEXt", {}), Trns(0)}));
  cl::TColor colour = 0;
  EXPECT_TRUE(PngHasTransparentColor(*zero, colour));
  // Cut in the middle of a chunk header.
  const Bytes whole = fixtures::PalettePng(fixtures::Concat({Plte(), Trns(0)}));
  auto cut = StreamOf(Bytes(whole.begin(), whole.begin() + 35));
  EXPECT_FALSE(PngHasTransparentColor(*cut, colour));
}

TEST(PngProbe, FilesAreProbedAndMissingOnesAnswerFalse) {
  const cl::testing::TempDirectory dir;
  cl::TColor colour = 0;
  EXPECT_TRUE(PngFileHasTransparentColor(dir.Write("t.png", fixtures::PalettePng(fixtures::Concat({Plte(), Trns(3)}))), colour));
  EXPECT_EQ(colour, cl::RGB(11, 22, 33));
  EXPECT_FALSE(PngFileHasTransparentColor(dir / "missing.png", colour));
}

}  // namespace

}  // namespace html
