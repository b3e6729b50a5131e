#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/print/document_print.h"
#include "html/print/tests/print_fixture.h"
#include "html/testing/image_test_support.h"
#include "platform/gui/test_support/recording_printer.h"

namespace html {
namespace {

using Recorder = cl::testing::RecordingPrinter;
using fixtures::Bytes;
using fixtures::Rgb;

// Every picture kind of a page, printed: the copy of the document printed
// holds copies of its image objects, which must find their document whole.
class PicturePrintTest : public PrintFixture {
 protected:
  PicturePrintTest() : PrintFixture(cl::FontEngineKind::FixedPitch) {}
  void SetUp() override {
    PrintFixture::SetUp();
    viewer->SetViewImages(true);
  }

  // The box of the device pixels of one colour on a page; empty when none.
  static cl::TRect BoxOf(const Recorder::Page& page, cl::TColor colour) {
    cl::TRect box{page.Width, page.Height, 0, 0};
    for (int y = 0; y < page.Height; ++y)
      for (int x = 0; x < page.Width; ++x) {
        if (page.Pixel(x, y) != colour) continue;
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
    return box.Left < box.Right ? box : cl::TRect{};
  }
  Recorder::Page PrintOnePage() {
    recorder.Jobs.clear();
    PrintDocument(*viewer, 1, 9999);
    EXPECT_EQ(recorder.Jobs.size(), 1u);
    EXPECT_TRUE(recorder.Jobs.back().Ended);
    EXPECT_EQ(recorder.Jobs.back().Pages.size(), 1u);
    return recorder.Jobs.back().Pages.at(0);
  }

  Recorder recorder;
};

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kGreen{0, 160, 0};

Bytes SolidBmp(int width, int height, Rgb colour) {
  return fixtures::Bmp24(width, height, std::vector<Rgb>(static_cast<size_t>(width * height), colour));
}

// Red and blue in a checker, index 0 (red) transparent: only blue prints.
Bytes MaskedGif() {
  fixtures::GifOptions o;
  o.globalTable = {kRed, kBlue, kGreen, {255, 255, 255}};
  o.blocksBeforeImage = fixtures::GifControlExtension(true, 0);
  return fixtures::Gif(o);
}

// Two frames, green and red / red green, looping.
Bytes AnimatedGif() {
  fixtures::GifOptions o;
  o.globalTable = {kGreen, kRed, kBlue, {255, 255, 255}};
  o.indexes = {0, 1, 1, 0};
  o.blocksBeforeImage = fixtures::GifApplicationExtension();
  return TwoFrameGif(o);
}

TEST_F(PicturePrintTest, PagesWithPicturesPrintTheirPicturesScaledToThePrinter) {
  dir.Write("red.bmp", SolidBmp(20, 10, kRed));
  dir.Write("mask.gif", MaskedGif());
  dir.Write("wave.gif", AnimatedGif());
  struct Case {
    const char* name;
    std::string html;
    // Colours that must print, each in a box of this device size; and one
    // that must not.
    std::vector<std::pair<cl::TColor, cl::TSize>> printed;
    cl::TColor absent;
  } const cases[] = {
      {"a bitmap", "<p>before <img src=\"red.bmp\"> after</p>", {{cl::clRed, {40, 20}}}, cl::clBlue},
      {"a bitmap stretched", "<p><img src=\"red.bmp\" width=40 height=5></p>", {{cl::clRed, {80, 10}}}, cl::clBlue},
      {"a masked GIF", "<p><img src=\"mask.gif\" width=20 height=20> after</p>",
       {{cl::clBlue, {40, 40}}}, cl::clRed},
      {"an animated GIF", "<p><img src=\"wave.gif\" width=20 height=20></p>",
       {{cl::RGB(0, 160, 0), {40, 40}}, {cl::clRed, {40, 40}}}, cl::clBlue},
      {"a missing picture", "<p>before <img src=\"nowhere.gif\" alt=\"gone\"> after</p>", {}, cl::clBlue},
      {"a picture in a link and a table",
       "<table border=1><tr><td><a href=\"x.htm\"><img src=\"red.bmp\" border=0></a></td></tr></table>",
       {{cl::clRed, {40, 20}}}, cl::clBlue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.html);
    const Recorder::Page page = PrintOnePage();
    for (const auto& [colour, size] : c.printed) {
      const cl::TRect box = BoxOf(page, colour);
      EXPECT_EQ(box.Width(), size.cx) << std::hex << colour;
      EXPECT_EQ(box.Height(), size.cy) << std::hex << colour;
    }
    EXPECT_EQ(BoxOf(page, c.absent).Width(), 0) << "transparent parts print white";
    // The viewer's own document is untouched: it still shows and prints again.
    EXPECT_EQ(viewer->SectionList().IsPrintCopy, false);
    EXPECT_EQ(PrintOnePage().Pixels, page.Pixels) << "a second print is the same";
  }
}

// Floats met before any text of a line print on that line's top, as they
// show on the screen, and the text after a CLEAR break prints below them.
TEST_F(PicturePrintTest, FloatsAtTheStartOfALinePrintOnItsTop) {
  dir.Write("red.bmp", SolidBmp(10, 10, kRed));
  dir.Write("green.bmp", SolidBmp(10, 10, kGreen));
  dir.Write("blue.bmp", SolidBmp(10, 10, kBlue));
  const cl::TColor green = cl::RGB(0, 160, 0), after = cl::RGB(128, 0, 128);
  struct Case {
    const char* name;
    std::string floats;
    const char* clear;
    std::vector<cl::TColor> colours;
  } const cases[] = {
      {"two left", "<IMG SRC=red.bmp WIDTH=40 HEIGHT=20 ALIGN=LEFT><IMG SRC=green.bmp WIDTH=100 HEIGHT=60 ALIGN=LEFT>",
       "LEFT", {cl::clRed, green}},
      {"three left",
       "<IMG SRC=red.bmp WIDTH=30 HEIGHT=20 ALIGN=LEFT><IMG SRC=green.bmp WIDTH=40 HEIGHT=60 ALIGN=LEFT>"
       "<IMG SRC=blue.bmp WIDTH=30 HEIGHT=40 ALIGN=LEFT>",
       "LEFT", {cl::clRed, green, cl::clBlue}},
      {"two right",
       "<IMG SRC=red.bmp WIDTH=40 HEIGHT=20 ALIGN=RIGHT><IMG SRC=green.bmp WIDTH=100 HEIGHT=60 ALIGN=RIGHT>",
       "RIGHT", {cl::clRed, green}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load("<P>" + c.floats + "BESIDE<BR CLEAR=" + c.clear + "><FONT COLOR=\"#800080\">AFTERCLEAR</FONT>");
    const Recorder::Page page = PrintOnePage();
    const cl::TRect first = BoxOf(page, c.colours.front());
    const cl::TRect text = BoxOf(page, after);
    ASSERT_GT(text.Height(), 0);
    for (const cl::TColor colour : c.colours) {
      const cl::TRect box = BoxOf(page, colour);
      ASSERT_GT(box.Height(), 0) << std::hex << colour;
      EXPECT_EQ(box.Top, first.Top) << std::hex << colour;
      EXPECT_GE(text.Top, box.Bottom) << std::hex << colour << ": the cleared text is below it";
    }
  }
}

TEST_F(PicturePrintTest, APictureFileOpenedAsTheDocumentPrints) {
  viewer->LoadImageFile(dir.Write("alone.bmp", SolidBmp(30, 12, kBlue)));
  cl::testing::ProcessEvents();
  const Recorder::Page page = PrintOnePage();
  const cl::TRect box = BoxOf(page, cl::clBlue);
  EXPECT_EQ(box.Width(), 60);
  EXPECT_EQ(box.Height(), 24);
}

}  // namespace
}  // namespace html
