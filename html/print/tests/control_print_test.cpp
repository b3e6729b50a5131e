#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "html/print/document_print.h"
#include "html/print/tests/print_fixture.h"
#include "platform/gui/colors.h"
#include "platform/gui/test_support/recording_printer.h"

namespace html {
namespace {

using Recorder = cl::testing::RecordingPrinter;

class ControlPrintTest : public PrintFixture {
 protected:
  ControlPrintTest() : PrintFixture(cl::FontEngineKind::FixedPitch) {}

  // The box of the page's pixels that pass the test; empty when none.
  template <class Test>
  static cl::TRect BoxWhere(const Recorder::Page& page, Test test) {
    cl::TRect box{page.Width, page.Height, 0, 0};
    for (int y = 0; y < page.Height; ++y)
      for (int x = 0; x < page.Width; ++x) {
        if (!test(page.Pixel(x, y))) continue;
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
    return box.Left < box.Right ? box : cl::TRect{};
  }
  static bool Inside(const cl::TRect& inner, const cl::TRect& outer) {
    return inner.Left > outer.Left && inner.Top > outer.Top && inner.Right < outer.Right &&
           inner.Bottom < outer.Bottom;
  }

  Recorder recorder;
};

// Every kind of control prints as a picture of itself: its frame, and its
// text, tick or dot inside the frame.
TEST_F(ControlPrintTest, EveryControlKindPrintsItsTextInsideItsBox) {
  struct Case {
    const char* name;
    const char* control;
    const char* text;  // the text printed in the box; empty: a mark only
  } const cases[] = {
      {"edit", "<input name=e value=\"Wert\">", "Wert"},
      {"password", "<input type=password name=p value=\"abc\">", "***"},
      {"submit button", "<input type=submit value=\"Go\">", "Go"},
      {"reset button", "<input type=reset value=\"Undo\">", "Undo"},
      {"combo", "<select name=c><option>jedna<option selected>dva</select>", "dva"},
      {"list", "<select name=l size=3><option>prvni<option>druhy<option>treti</select>", "prvni"},
      {"text area", "<textarea name=t rows=2 cols=10>radek</textarea>", "radek"},
      {"check box", "<input type=checkbox name=k checked>", ""},
      {"radio button", "<input type=radio name=r checked>", ""},
  };
  const cl::TColor shadow = cl::ColorToRGB(cl::clBtnShadow), silver = cl::clSilver;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(std::string("<form><p>") + c.control + "</p></form>");
    recorder.Jobs.clear();
    PrintDocument(*viewer, 1, 1);
    ASSERT_EQ(recorder.Jobs.size(), 1u);
    ASSERT_EQ(recorder.Jobs[0].Pages.size(), 1u);
    const Recorder::Page& page = recorder.Jobs[0].Pages[0];
    // The frame is drawn in the two shades of grey; the ink is black.
    const cl::TRect frame = BoxWhere(page, [&](cl::TColor p) { return p == shadow || p == silver; });
    const cl::TRect ink = BoxWhere(page, [](cl::TColor p) { return p == cl::clBlack; });
    ASSERT_GT(frame.Width(), 0) << "no frame";
    ASSERT_GT(ink.Width(), 0) << "no ink";
    EXPECT_TRUE(Inside(ink, frame)) << "ink " << ink.Left << "," << ink.Top << "-" << ink.Right << ","
                                    << ink.Bottom << " frame " << frame.Left << "," << frame.Top << "-"
                                    << frame.Right << "," << frame.Bottom;
    if (*c.text == '\0') continue;
    bool found = false;
    for (const Recorder::Text& text : page.Texts) {
      if (text.Value != c.text) continue;
      found = true;
      EXPECT_TRUE(Inside(text.Box, frame)) << text.Box.Top << " in " << frame.Top << ".." << frame.Bottom;
    }
    EXPECT_TRUE(found) << page.AllText();
  }
}

}  // namespace
}  // namespace html
