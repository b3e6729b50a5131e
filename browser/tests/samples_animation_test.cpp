#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "browser_form_fixture.h"
#include "html/images/gif/gif_image.h"
#include "html/parse/document_parser.h"
#include "platform/core/scheduler.h"

namespace {

class ManualClock {
 public:
  ManualClock() { win::SetScheduler(&clock); }
  ~ManualClock() { win::SetScheduler(nullptr); }
  win::ManualScheduler clock{10000};
};

std::vector<int32_t> Frames(TSectionList& document) {
  std::vector<int32_t> frames;
  for (int i = 0; i < document.AnimatedImages.Count(); ++i)
    if (auto* gif = dynamic_cast<TGIFImage*>(document.AnimatedImages[i])) frames.push_back(gif->CurrentFrame());
  return frames;
}

bool AnyDrawn(TSectionList& document) {
  for (int i = 0; i < document.AnimatedImages.Count(); ++i)
    if (document.AnimatedImages[i]->Drawn) return true;
  return false;
}

}  // namespace

// The page about pictures shows the samples' animated GIF, and the browser
// plays it on its document's timer.
TEST_F(BrowserFormTest, TheSamplesAnimatedPicturePlays) {
  ManualClock time;
  brw::TBrowserForm& form = Start({});
  form.Viewer().DocumentParser = ParseDocument;
  form.Viewer().LoadFromFile((std::filesystem::path(BRANNIK_SAMPLES) / "obrazky.htm").string());
  cl::testing::ProcessEvents();
  TDocViewer& viewer = Active();
  TSectionList& document = viewer.SectionList();
  const std::vector<int32_t> start = Frames(document);
  ASSERT_GE(start.size(), 1u);
  // Only what is on the screen plays: scroll until a copy of it shows.
  for (int32_t y = 0; y <= viewer.DocHeight() && !AnyDrawn(document); y += 100) {
    viewer.ScrollToY(y);
    cl::testing::ProcessEvents();
  }
  ASSERT_TRUE(AnyDrawn(document));
  ASSERT_TRUE(document.AnimationTimer->Enabled());
  // The frames are 120 ms apart; a few seconds of the manual clock at most.
  bool moved = false;
  for (int step = 0; step < 100 && !moved; ++step) {
    time.clock.Advance(50);
    cl::testing::ProcessEvents();
    moved = Frames(document) != start;
  }
  EXPECT_TRUE(moved);
  // And on: every step shows the next frame, looping for ever.
  std::vector<int32_t> seen = Frames(document);
  int changes = 0;
  for (int step = 0; step < 200 && changes < 10; ++step) {
    time.clock.Advance(50);
    cl::testing::ProcessEvents();
    if (Frames(document) != seen) {
      seen = Frames(document);
      ++changes;
    }
  }
  EXPECT_EQ(changes, 10);
}
