// The end of a file load: whoever hears that Processing went off finds the
// screen's cursor already given back, whether the load worked or raised.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "html/testing/viewer_fixture.h"
#include "platform/core/exception.h"
#include "platform/gui/cursors.h"

namespace html {

namespace {

// The screen's cursor is one for the process: the test gives back the one it found.
class ScreenCursor {
 public:
  explicit ScreenCursor(cl::TCursor cursor) : saved_(cl::Screen().Cursor()) { cl::Screen().SetCursor(cursor); }
  ~ScreenCursor() { cl::Screen().SetCursor(saved_); }
  ScreenCursor(const ScreenCursor&) = delete;
  ScreenCursor& operator=(const ScreenCursor&) = delete;

 private:
  const cl::TCursor saved_;
};

TEST_F(ViewerTest, AFileLoadGivesTheCursorBackBeforeProcessingGoesOff) {
  const std::string page = Write("page.htm", "#title Page\nhello\n");
  const std::string notes = Write("notes.txt", "plain\n");
  const std::string picture = Write("a.gif", "GIF89a");
  const std::string broken = Write("bad.htm", "first\n#fail\n");
  const std::string missing = (dir / "none.htm").string();
  struct Case {
    const char* what;
    std::function<void(TDocViewer&)> load;
    bool raises;
  };
  const Case cases[] = {
      {"page", [&](TDocViewer& v) { v.LoadFromFile(page); }, false},
      {"page at an anchor", [&](TDocViewer& v) { v.LoadFromFile(page + "#top"); }, false},
      {"text", [&](TDocViewer& v) { v.LoadTextFile(notes); }, false},
      {"picture", [&](TDocViewer& v) { v.LoadImageFile(picture); }, false},
      {"parse failure", [&](TDocViewer& v) { v.LoadFromFile(broken); }, true},
      {"missing file", [&](TDocViewer& v) { v.LoadFromFile(missing); }, true},
  };
  const ScreenCursor cross(cl::crCross);
  std::vector<std::pair<bool, cl::TCursor>> heard;
  viewer->OnProcessing = [&](cl::TObject*, bool on) { heard.emplace_back(on, cl::Screen().Cursor()); };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    heard.clear();
    bool raised = false;
    try {
      c.load(*viewer);
    } catch (const cl::Exception&) {
      raised = true;
    }
    EXPECT_EQ(raised, c.raises);
    EXPECT_EQ(heard, (std::vector<std::pair<bool, cl::TCursor>>{{true, cl::crHourGlass}, {false, cl::crCross}}));
    EXPECT_EQ(cl::Screen().Cursor(), cl::crCross);
  }
}

}  // namespace

}  // namespace html
