// Pictures that float beside the text: where the screen shows them against
// where the layout placed them and made the text go round or below them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "html/parse/document_parser.h"
#include "html/testing/image_test_support.h"
#include "html/testing/viewer_fixture.h"
#include "platform/gui/test_support/screen_pixels.h"

namespace html {
namespace {

namespace t = cl::testing;

// The box of the pixels of one colour; empty when there are none.
cl::TRect BoxOf(const t::ScreenArea& area, cl::TColor colour) {
  cl::TRect box{area.Box.Right, area.Box.Bottom, area.Box.Left, area.Box.Top};
  for (int y = area.Box.Top; y < area.Box.Bottom; ++y)
    for (int x = area.Box.Left; x < area.Box.Right; ++x) {
      if ((area.At(x, y) & 0xFFFFFF) != colour) continue;
      box.Left = std::min(box.Left, x);
      box.Top = std::min(box.Top, y);
      box.Right = std::max(box.Right, x + 1);
      box.Bottom = std::max(box.Bottom, y + 1);
    }
  return box.IsEmpty() ? cl::TRect{} : box;
}

class FloatingImagesTest : public ViewerTest {
 protected:
  void SetUp() override {
    ViewerTest::SetUp();
    viewer->Parser = ParseDocument;
    viewer->SetViewImages(true);
    for (const Picture& p : pictures) {
      const auto bytes = fixtures::Bmp24(10, 10, std::vector<fixtures::Rgb>(100, p.rgb));
      temp.Write(p.file, bytes);
    }
  }

  struct Picture {
    const char* file;
    fixtures::Rgb rgb;
    cl::TColor colour;
  };
  const std::vector<Picture> pictures = {{"red.bmp", {255, 0, 0}, cl::RGB(255, 0, 0)},
                                         {"green.bmp", {0, 255, 0}, cl::RGB(0, 255, 0)},
                                         {"blue.bmp", {0, 0, 255}, cl::RGB(0, 0, 255)}};
};

// Floats met before any text of a line all stand on that line's top, side
// by side, and the text after a CLEAR break starts below every one of them.
TEST_F(FloatingImagesTest, FloatsAtTheStartOfALineAllStandOnItsTop) {
  const cl::TColor beside = cl::RGB(128, 0, 0), after = cl::RGB(128, 0, 128);
  struct Case {
    const char* name;
    std::string floats;
    const char* clear;
    int count;  // of the pictures, in order
  } const cases[] = {
      {"two left", "<IMG SRC=red.bmp WIDTH=40 HEIGHT=20 ALIGN=LEFT><IMG SRC=green.bmp WIDTH=100 HEIGHT=60 ALIGN=LEFT>",
       "LEFT", 2},
      {"three left",
       "<IMG SRC=red.bmp WIDTH=30 HEIGHT=20 ALIGN=LEFT><IMG SRC=green.bmp WIDTH=40 HEIGHT=60 ALIGN=LEFT>"
       "<IMG SRC=blue.bmp WIDTH=30 HEIGHT=40 ALIGN=LEFT>",
       "LEFT", 3},
      {"two right",
       "<IMG SRC=red.bmp WIDTH=40 HEIGHT=20 ALIGN=RIGHT><IMG SRC=green.bmp WIDTH=100 HEIGHT=60 ALIGN=RIGHT>",
       "RIGHT", 2},
      {"left then right",
       "<IMG SRC=red.bmp WIDTH=40 HEIGHT=60 ALIGN=LEFT><IMG SRC=green.bmp WIDTH=40 HEIGHT=30 ALIGN=RIGHT>", "ALL",
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    viewer->LoadFromFile(Write("floats.htm", "<P>" + c.floats + "<FONT COLOR=\"#800000\">BESIDE</FONT><BR CLEAR=" +
                                                 c.clear + "><FONT COLOR=\"#800080\">AFTERCLEAR</FONT>"));
    t::ProcessEvents();
    const t::ScreenArea shown =
        t::ScreenPixels(viewer->PaintPanel(), cl::Rect(0, 0, viewer->PaintPanel().Width(), viewer->PaintPanel().Height()));
    std::vector<cl::TRect> boxes;
    for (int i = 0; i < c.count; ++i) {
      boxes.push_back(BoxOf(shown, pictures[static_cast<size_t>(i)].colour));
      ASSERT_FALSE(boxes.back().IsEmpty()) << pictures[static_cast<size_t>(i)].file;
      EXPECT_EQ(boxes.back().Top, boxes.front().Top) << pictures[static_cast<size_t>(i)].file;
    }
    const cl::TRect besideText = BoxOf(shown, beside), afterText = BoxOf(shown, after);
    ASSERT_FALSE(besideText.IsEmpty());
    ASSERT_FALSE(afterText.IsEmpty());
    EXPECT_LT(besideText.Top, boxes.front().Top + 20) << "the text stands beside the pictures";
    for (const cl::TRect& box : boxes) EXPECT_GE(afterText.Top, box.Bottom) << "the cleared text is below them";
  }
}

}  // namespace
}  // namespace html
