#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "html/parse/document_parser.h"
#include "html/testing/image_test_support.h"
#include "html/testing/viewer_fixture.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"

namespace html {
namespace {

// One line has one baseline: the text on both sides of an inline picture
// stands on it, whatever the picture's alignment or kind.
class TextBesideImagesTest : public ViewerTest {
 protected:
  void SetUp() override {
    ViewerTest::SetUp();
    viewer->Parser = ParseDocument;
    viewer->SetViewImages(true);
    const auto bytes = fixtures::Bmp24(30, 30, std::vector<fixtures::Rgb>(900, {255, 0, 0}));
    temp.Write("red.bmp", bytes);
  }

  // Rows [top, bottom) of the text colour in one column of the drawn document.
  struct Rows {
    int top = -1, bottom = -1;
    bool operator==(const Rows&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Rows& r) {
      return out << "rows " << r.top << ".." << r.bottom;
    }
  };
  static Rows RowsAt(const cl::TCanvas& canvas, int x, int height, cl::TColor colour) {
    Rows rows;
    for (int y = 0; y < height; ++y) {
      if ((canvas.GetPixel(x, y) & 0xFFFFFF) != colour) continue;
      if (rows.top < 0) rows.top = y;
      rows.bottom = y + 1;
    }
    return rows;
  }
};

TEST_F(TextBesideImagesTest, TextAfterAPictureStandsOnTheLinesBaseline) {
  const cl::TColor green = cl::RGB(0, 128, 0);
  struct Case {
    const char* name;
    const char* images;
  } const cases[] = {
      {"bottom", "<img src=\"red.bmp\">"},
      {"top", "<img src=\"red.bmp\" align=top>"},
      {"middle", "<img src=\"red.bmp\" align=middle>"},
      {"absmiddle", "<img src=\"red.bmp\" align=absmiddle>"},
      {"explicit bottom", "<img src=\"red.bmp\" align=bottom>"},
      {"placeholder", "<img src=\"none.gif\">"},
      {"placeholder with ALT", "<img src=\"none.gif\" alt=\"gone away\">"},
      {"two pictures", "<img src=\"red.bmp\" align=top><img src=\"none.gif\" alt=\"x\">"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    viewer->LoadFromFile(Write("doc.htm", std::string("<body><font color=\"#008000\">ab ") + c.images +
                                              " cd</font></body>"));
    cl::testing::ProcessEvents();
    cl::TBitmap picture;
    picture.SetSize(viewer->PaintPanel().Width(), viewer->PaintPanel().Height());
    picture.Canvas().FillRect(cl::Rect(0, 0, picture.Width(), picture.Height()), cl::clWhite);
    viewer->DrawDocument(picture.Canvas());
    const cl::TCanvas& canvas = picture.Canvas();
    // The first and the last column of the text: "a" and "d".
    int first = -1, last = -1;
    for (int x = 0; x < picture.Width(); ++x)
      for (int y = 0; y < picture.Height(); ++y)
        if ((canvas.GetPixel(x, y) & 0xFFFFFF) == green) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    ASSERT_GE(first, 0);
    ASSERT_GT(last, first + 30) << "the picture stands between the words";
    const Rows before = RowsAt(canvas, first, picture.Height(), green);
    const Rows after = RowsAt(canvas, last, picture.Height(), green);
    // The fixed-pitch font's characters: 12 pixels above the baseline.
    EXPECT_EQ(before.bottom - before.top, 12);
    EXPECT_EQ(after, before);
  }
}

}  // namespace
}  // namespace html
