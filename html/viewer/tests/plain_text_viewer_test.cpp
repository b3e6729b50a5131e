// A text file in the viewer as a reader uses it: finding, selecting with the
// mouse, copying, scrolling and coming back to a place.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/parse/document_parser.h"
#include "html/testing/viewer_fixture.h"
#include "platform/gui/clipboard.h"

namespace html {

namespace {

namespace t = cl::testing;

class PlainTextViewerTest : public ViewerTest {
 protected:
  void SetUp() override {
    ViewerTest::SetUp();
    viewer->Parser = ParseDocument;
    // Preformatted text at 12 points: 8 x 16 pixel characters.
    viewer->SetDefFontSize(14);
  }
  // Lines "row <i> ab" and "cd <i>" by turns, each ending in CR LF.
  void LoadNotes(int count) {
    lines.clear();
    std::string file;
    for (int i = 0; i < count; ++i) {
      lines.push_back(i % 2 ? "cd " + std::to_string(i) : "row " + std::to_string(i) + " ab");
      file += lines.back() + "\r\n";
    }
    viewer->LoadTextFile(Write("notes.txt", file));
    t::ProcessEvents();
  }
  // The text position of column of line.
  int32_t PositionOf(int line, int column = 0) const {
    int32_t position = 0;
    for (int i = 0; i < line; ++i) position += static_cast<int32_t>(lines[static_cast<size_t>(i)].size());
    return position + column;
  }
  std::string Copied() {
    cl::Clipboard().SetAsText("");
    viewer->CopyToClipboard();
    return cl::Clipboard().AsText();
  }

  std::vector<std::string> lines;
};

TEST_F(PlainTextViewerTest, FindSelectsTheLineItFoundAndNeverJoinsTwoLines) {
  LoadNotes(400);
  ASSERT_TRUE(viewer->FindText("ROW 350 AB", false));
  EXPECT_EQ(viewer->SelStart(), PositionOf(350));
  // The match fills its line: a whole line is copied with its line end.
  EXPECT_EQ(Copied(), "row 350 ab\r\n");
  // Shown in the window.
  EXPECT_LE(viewer->VScrollBarPosition(), 350 * 16);
  EXPECT_GT(viewer->VScrollBarPosition() + viewer->PaintPanel().Height(), 350 * 16);
  // "ab" ends a line and "cd" starts the next: never one match.
  EXPECT_FALSE(viewer->FindText("abcd", false));
  EXPECT_FALSE(viewer->FindText("ab cd", false));
  EXPECT_EQ(viewer->SelStart(), PositionOf(350));
  ASSERT_TRUE(viewer->FindText("cd 351", true));
  EXPECT_EQ(viewer->SelStart(), PositionOf(351));
}

TEST_F(PlainTextViewerTest, SelectingAllCopiesEveryLineWithItsLineEnd) {
  LoadNotes(3000);
  viewer->SelectAll();
  std::string expected;
  for (const std::string& line : lines) expected += line + "\r\n";
  // The file's last line end starts one more, empty line.
  expected += " \r\n";
  const std::string copied = Copied();
  EXPECT_EQ(copied.size(), expected.size());
  EXPECT_TRUE(copied == expected);
}

TEST_F(PlainTextViewerTest, ADragSelectsFromLineToLineDeepInTheFile) {
  LoadNotes(1000);
  viewer->SetVScrollBarPosition(700 * 16);
  t::ProcessEvents();
  TPaintPanel& panel = viewer->PaintPanel();
  t::MouseDown(panel, PanelX(1), PanelY(701));
  t::MouseMove(panel, PanelX(3), PanelY(703), cl::ssLeft);
  t::MouseUp(panel, PanelX(3), PanelY(703));
  EXPECT_EQ(viewer->SelStart(), PositionOf(701, 1));
  EXPECT_EQ(Copied(), "d 701\r\nrow 702 ab\r\ncd ");
}

TEST_F(PlainTextViewerTest, EveryLineIsOneLineHighAndTheViewComesBackToItsPlace) {
  LoadNotes(5000);
  // The lines and the empty line after the last line end, between the margins.
  EXPECT_EQ(viewer->DocHeight(), 5001 * 16 + 2 * viewer->MarginHeight());
  viewer->SetVScrollBarPosition(4321 * 16 + 5);
  t::ProcessEvents();
  const int32_t place = viewer->VScrollBarPosition();
  const int32_t position = viewer->Position();
  viewer->LoadTextFile(Write("other.txt", "other\r\n"));
  t::ProcessEvents();
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  LoadNotes(5000);
  viewer->SetPosition(position);
  EXPECT_EQ(viewer->VScrollBarPosition(), place);
}

}  // namespace

}  // namespace html
