#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "html/testing/viewer_fixture.h"

namespace html {

namespace {

namespace t = cl::testing;

// A section that runs an action each time it is laid out, as an image that
// pumps messages while it decodes lets a resize in.
class ActionSection : public TSectionBase {
 public:
  explicit ActionSection(std::function<void()> action) : action_(std::move(action)) {}
  TLayoutResult Layout(cl::TCanvas&, int32_t, IndentManager&, int32_t curs) override {
    action_();
    FlowHeight = PaintHeight = 0;
    return {0, 0, curs};
  }

 private:
  std::function<void()> action_;
};

using ViewerResizeTest = ViewerTest;

const std::string paragraph =
    "words that wrap at a narrow width and stay on one line at a wide one, words words words words\n";

TEST_F(ViewerResizeTest, ASizeThatComesWhileTheDocumentIsLaidOutIsLaidOutAfterTheLoad) {
  struct Case {
    const char* name;
    int32_t to;  // the width set during the layout
  } const cases[] = {{"narrower", 150}, {"wider", 380}};
  for (const Case& c : cases) {
    viewer->SetBounds(0, 0, 300, 200);
    t::ProcessEvents();
    // The section lives on with the document, past this case.
    const auto resized = std::make_shared<bool>(false);
    TDocViewer* const shown = viewer;
    const int32_t to = c.to;
    viewer->Parser = [resized, shown, to](const TParseRequest& request) {
      TParseResult result = ParseLines(request);
      request.Document->AddSection(std::make_unique<ActionSection>([resized, shown, to] {
        if (*resized) return;
        *resized = true;
        shown->SetBounds(0, 0, to, 200);
      }));
      return result;
    };
    LoadText(paragraph + paragraph);
    ASSERT_TRUE(*resized) << c.name;
    ASSERT_EQ(viewer->Width(), c.to) << c.name;
    // Laid out at the final width: another layout there changes nothing.
    const int32_t height = viewer->DocHeight();
    const int32_t widest = viewer->MaxHorz();
    viewer->Relayout();
    EXPECT_EQ(viewer->DocHeight(), height) << c.name;
    EXPECT_EQ(viewer->MaxHorz(), widest) << c.name;
  }
}

TEST_F(ViewerResizeTest, ASizeThatComesWhileTheDocumentIsParsedNeedsNoSecondLayout) {
  // The load lays out at the new width itself; a resize back to the old
  // width afterwards is laid out too.
  viewer->Parser = [&](const TParseRequest& request) {
    viewer->SetBounds(0, 0, 150, 200);
    return ParseLines(request);
  };
  LoadText(paragraph + paragraph);
  const int32_t narrow = viewer->DocHeight();
  viewer->SetBounds(0, 0, 300, 200);
  t::ProcessEvents();
  EXPECT_LT(viewer->DocHeight(), narrow);
}

}  // namespace

}  // namespace html
