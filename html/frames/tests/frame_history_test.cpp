#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_viewer.h"
#include "html/testing/viewer_fixture.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/handler_guard.h"

namespace html {

namespace {

namespace t = cl::testing;

// What Left and Right show, and whether Back and Forward are on.
struct State {
  std::string left, right;
  bool back, forward;
  bool operator==(const State&) const = default;
};

std::ostream& operator<<(std::ostream& out, const State& s) {
  return out << s.left << "/" << s.right << (s.back ? " back" : "") << (s.forward ? " forward" : "");
}

// A frame viewer whose plain documents go through ParseLines, on a set of
// two frames, Left and Right, each with two documents of its own to go to.
class FrameHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t::EnsureGuiTestApplication();
    form = std::make_unique<cl::TForm>(nullptr);
    form->SetBounds(10, 10, 500, 400);
    fv = cl::Make<TFrameSetViewer>(*form);
    fv->SetParent(form.get());
    fv->SetBounds(0, 0, 400, 300);
    fv->DocumentParser = [](const TParseRequest& request) { return ParseLines(request); };
    fv->OnHistoryChange = [this](cl::TObject*) { ++changes; };
    form->Show();
    t::ProcessEvents();
    for (const char* name : {"a1", "a2", "a3", "b1", "b2"}) Write(std::string(name) + ".htm", Page(name));
    Write("set.htm", "<FRAMESET ROWS=\"*,*\"><FRAME SRC=b1.htm NAME=Deep><FRAME SRC=b2.htm></FRAMESET>");
    top = Write("top.htm",
                "<FRAMESET COLS=\"*,*\"><FRAME SRC=a1.htm NAME=Left><FRAME SRC=b1.htm NAME=Right></FRAMESET>");
  }
  void TearDown() override {
    form.reset();
    t::ProcessEvents();
  }

  static std::string Page(const std::string& name) {
    std::string text = "#title " + name + "\n";
    for (int i = 0; i < 40; ++i) text += name + " line " + std::to_string(i) + "\n";
    return text + "#anchor end\nlast\n";
  }
  std::string Write(const std::string& name, const std::string& text) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  TFrame& Named(const std::string& name) {
    TFrame* frame = fv->CurrentSet().FindFrame(name);
    if (frame == nullptr) throw std::runtime_error("no frame " + name);
    return *frame;
  }
  std::string Shown(const std::string& frame) {
    TDocViewer* viewer = Named(frame).Viewer();
    return viewer == nullptr ? std::string("(none)") : viewer->DocumentTitle();
  }
  State Now() { return {Shown("Left"), Shown("Right"), fv->BackButtonEnabled(), fv->FwdButtonEnabled()}; }
  void Go(const std::string& frame, const std::string& file) {
    Named(frame).LoadFrameFile(Path(file), "", true);
    t::ProcessEvents();
  }
  int FrameSets() const {
    int count = 0;
    for (int i = 0; i < fv->ComponentCount(); ++i) count += dynamic_cast<TFrameSet*>(fv->Components(i)) != nullptr;
    return count;
  }

  cl::ScopedFontEngine engine{cl::FontEngineKind::FixedPitch};
  const cl::testing::TempDirectory temp;
  const std::filesystem::path dir = temp.Path();
  std::unique_ptr<cl::TForm> form;
  TFrameSetViewer* fv = nullptr;
  std::string top;
  int changes = 0;
};

TEST_F(FrameHistoryTest, BackStepsTheFrameThatChangedLastAndForwardTheOneThatChangedFirst) {
  fv->LoadFromFile(top);
  EXPECT_EQ(Now(), (State{"a1", "b1", false, false}));
  Go("Left", "a2.htm");
  Go("Right", "b2.htm");
  EXPECT_EQ(Now(), (State{"a2", "b2", true, false}));
  const std::vector<State> steps = {
      {"a2", "b1", true, true},    // Back: Right changed last
      {"a1", "b1", false, true},   // Back: then Left
      {"a2", "b1", true, true},    // Forward: Left's newer entry is the older one
      {"a2", "b2", true, false},   // Forward: then Right
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    if (i < 2) fv->GoBack();
    else fv->GoForward();
    t::ProcessEvents();
    EXPECT_EQ(Now(), steps[i]) << "step " << i;
  }
  // Stepping past either end does nothing.
  fv->GoForward();
  EXPECT_EQ(Now(), steps.back());
  EXPECT_EQ(fv->ActiveViewer(), nullptr);  // two viewers, none entered
}

TEST_F(FrameHistoryTest, AFrameReturnsToThePlaceItWasLeftAt) {
  fv->LoadFromFile(top);
  TDocViewer& left = *Named("Left").Viewer();
  left.SetPosition(5);
  const int32_t place = left.Position();
  ASSERT_NE(place, 0);
  Go("Left", "a2.htm");
  EXPECT_EQ(Named("Left").Viewer()->Position(), 0);
  fv->GoBack();
  EXPECT_EQ(Shown("Left"), "a1");
  EXPECT_EQ(Named("Left").Viewer()->Position(), place);
  // An anchor jump within the frame is a step of its own.
  Named("Left").LoadFrameFile(Path("a1.htm"), "#end", true);
  EXPECT_NE(Named("Left").Viewer()->Position(), place);
  fv->GoBack();
  EXPECT_EQ(Named("Left").Viewer()->Position(), place);
}

TEST_F(FrameHistoryTest, ANewNavigationAfterBackDropsTheNewerEntriesOfEveryFrame) {
  fv->LoadFromFile(top);
  Go("Left", "a2.htm");
  Go("Right", "b2.htm");
  fv->GoBack();
  fv->GoBack();
  EXPECT_EQ(Now(), (State{"a1", "b1", false, true}));
  Go("Right", "b2.htm");
  EXPECT_EQ(Now(), (State{"a1", "b2", true, false}));
  EXPECT_EQ(Named("Left").VisitedFiles.Count(), 1);
  EXPECT_EQ(Named("Right").VisitedFiles.Count(), 2);
  fv->GoBack();
  EXPECT_EQ(Now(), (State{"a1", "b1", false, true}));
}

TEST_F(FrameHistoryTest, WithoutATopLevelLimitOnlyFramesRecord) {
  const std::string one = Write("one.htm", "#title one\n#link #end|down\n" + Page("x"));
  fv->LoadFromFile(top);
  fv->LoadFromFile(one);
  t::ProcessEvents();
  // The replaced set went at once; the history holds no top-level entry.
  EXPECT_EQ(FrameSets(), 1);
  EXPECT_EQ(fv->HistoryFiles.Count(), 0);
  EXPECT_FALSE(fv->BackButtonEnabled());
  // An anchor jump inside a one-frame document is a frame-level entry.
  TDocViewer& viewer = *fv->ActiveViewer();
  bool handled = false;
  fv->ViewerHotSpotClick(viewer, "#end", handled);
  EXPECT_TRUE(handled);
  const int32_t atEnd = viewer.Position();
  EXPECT_NE(atEnd, 0);
  EXPECT_TRUE(fv->BackButtonEnabled());
  fv->GoBack();
  EXPECT_EQ(viewer.Position(), 0);
  EXPECT_TRUE(fv->FwdButtonEnabled());
  fv->GoForward();
  EXPECT_EQ(viewer.Position(), atEnd);
}

TEST_F(FrameHistoryTest, TheTopLevelKeepsItsLimitAndFreesTheOldestSet) {
  fv->SetHistoryMaxCount(3);
  std::vector<std::string> documents;
  for (const char* name : {"a1", "a2", "a3", "b1"}) documents.push_back(Path(std::string(name) + ".htm"));
  fv->LoadFromFile(documents[0]);
  EXPECT_FALSE(fv->BackButtonEnabled());
  EXPECT_EQ(fv->HistoryFiles.Count(), 1);
  for (size_t i = 1; i < documents.size(); ++i) fv->LoadFromFile(documents[i]);
  t::ProcessEvents();
  ASSERT_EQ(fv->HistoryFiles.Count(), 3);
  EXPECT_EQ(fv->HistoryFiles[0], documents[3]);
  EXPECT_EQ(fv->HistoryFiles[2], documents[1]);
  EXPECT_EQ(FrameSets(), 3);  // the first document's set is gone
  // Back shows the kept sets again, and Forward returns.
  TFrameSet* const newest = &fv->CurrentSet();
  fv->GoBack();
  fv->GoBack();
  EXPECT_EQ(fv->DocumentTitle(), "a2");
  EXPECT_EQ(fv->ActiveViewer()->DocumentTitle(), "a2");
  EXPECT_FALSE(fv->BackButtonEnabled());
  fv->GoForward();
  fv->GoForward();
  EXPECT_EQ(&fv->CurrentSet(), newest);
  EXPECT_EQ(fv->ActiveViewer()->DocumentTitle(), "b1");
  EXPECT_FALSE(fv->FwdButtonEnabled());
  // A load after Back drops the newer entries and their sets.
  fv->GoBack();
  fv->LoadFromFile(Path("b2.htm"));
  t::ProcessEvents();
  EXPECT_EQ(fv->HistoryFiles.Count(), 3);
  EXPECT_EQ(fv->HistoryFiles[1], documents[2]);
  EXPECT_EQ(FrameSets(), 3);
}

TEST_F(FrameHistoryTest, ASetKeepsLivingWhileOneOfItsEntriesRemains) {
  fv->SetHistoryMaxCount(2);
  fv->LoadFromFile(top);
  fv->LoadFromFile(top);  // the same set again: two entries
  TFrameSet* const shared = &fv->CurrentSet();
  fv->LoadFromFile(Path("a1.htm"));  // the older of the two falls off
  t::ProcessEvents();
  ASSERT_EQ(fv->HistoryFiles.Count(), 2);
  EXPECT_EQ(fv->HistoryFiles.Objects(1), shared);
  fv->GoBack();
  t::ProcessEvents();
  EXPECT_EQ(&fv->CurrentSet(), shared);
  EXPECT_EQ(Now(), (State{"a1", "b1", false, true}));
}

TEST_F(FrameHistoryTest, ASetInTwoEntriesIsFreedOnce) {
  fv->SetHistoryMaxCount(5);
  fv->LoadFromFile(top);
  fv->LoadFromFile(top);  // the same set again: two entries
  TFrameSet* const shared = &fv->CurrentSet();
  fv->LoadFromFile(Path("a1.htm"));
  ASSERT_EQ(fv->HistoryFiles.Count(), 3);
  EXPECT_EQ(fv->HistoryFiles.Objects(1), shared);
  EXPECT_EQ(fv->HistoryFiles.Objects(2), shared);
  EXPECT_EQ(FrameSets(), 2);
  changes = 0;
  fv->ClearHistory();
  cl::FreeReleased();
  EXPECT_EQ(FrameSets(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(fv->BackButtonEnabled());
  // Lowering the limit clears it all again, frames included.
  fv->LoadFromFile(top);
  Go("Left", "a2.htm");
  fv->SetHistoryMaxCount(1);
  EXPECT_EQ(fv->HistoryFiles.Count(), 0);
  EXPECT_EQ(Named("Left").VisitedFiles.Count(), 0);
  EXPECT_FALSE(fv->BackButtonEnabled());
  t::ProcessEvents();
  EXPECT_EQ(FrameSets(), 1);
}

// The only frame of a one-frame document that loads another file keeps the
// set: both entries hold it, and a step between them shows the entry's file.
TEST_F(FrameHistoryTest, StepsBetweenTwoEntriesOfOneSetShowEachEntrysFile) {
  fv->SetHistoryMaxCount(3);
  fv->LoadFromFile(Path("a1.htm"));
  TFrameSet* const set = &fv->CurrentSet();
  ASSERT_EQ(set->AllFrames.size(), 1u);
  set->AllFrames.front()->LoadFrameFile(Path("a2.htm"), "", true);
  ASSERT_EQ(fv->HistoryFiles.Count(), 2);
  EXPECT_EQ(fv->HistoryFiles.Objects(0), set);
  EXPECT_EQ(fv->HistoryFiles.Objects(1), set);
  EXPECT_EQ(fv->CurrentFile(), Path("a2.htm"));
  fv->GoBack();
  EXPECT_EQ(&fv->CurrentSet(), set);
  EXPECT_EQ(fv->CurrentFile(), Path("a1.htm"));
  EXPECT_EQ(fv->ActiveViewer()->DocumentTitle(), "a1");
  fv->GoForward();
  EXPECT_EQ(fv->ActiveViewer()->DocumentTitle(), "a2");
  EXPECT_EQ(fv->DocumentTitle(), "a2");
  fv->ClearHistory();
  cl::FreeReleased();
  EXPECT_EQ(FrameSets(), 1);
}

TEST_F(FrameHistoryTest, ANestedSetComesBackFromTheFramesHistoryWithItsNames) {
  fv->LoadFromFile(top);
  Go("Left", "set.htm");
  TSubFrameSet* const nested = Named("Left").NestedSet();
  ASSERT_NE(nested, nullptr);
  EXPECT_NE(fv->CurrentSet().FindFrame("deep"), nullptr);
  EXPECT_EQ(fv->CurrentSet().AllViewers.size(), 3u);
  fv->GoBack();
  t::ProcessEvents();
  EXPECT_EQ(Shown("Left"), "a1");
  EXPECT_EQ(fv->CurrentSet().FindFrame("deep"), nullptr);
  EXPECT_EQ(fv->CurrentSet().AllViewers.size(), 2u);
  fv->GoForward();
  t::ProcessEvents();
  EXPECT_EQ(Named("Left").NestedSet(), nested);
  EXPECT_EQ(Named("Deep").Viewer()->DocumentTitle(), "b1");
  EXPECT_EQ(fv->CurrentSet().AllViewers.size(), 3u);
  // A frame of the nested set steps on its own, and Back undoes that first.
  Go("Deep", "a3.htm");
  fv->GoBack();
  EXPECT_EQ(Named("Deep").Viewer()->DocumentTitle(), "b1");
  EXPECT_EQ(Named("Left").NestedSet(), nested);
  // A new navigation drops the nested set the forward entries held.
  fv->GoBack();
  Go("Left", "a3.htm");
  t::ProcessEvents();
  EXPECT_FALSE(fv->FwdButtonEnabled());
  EXPECT_EQ(Shown("Left"), "a3");
}

// The click that replaces the whole document runs inside the old set's
// viewer: that set and viewer outlive the click, kept or not.
TEST_F(FrameHistoryTest, ALinkThatReplacesTheDocumentLeavesTheClickedViewerAliveUntilItReturns) {
  const std::string one = Write("one.htm", "#title one\n#link two.htm|go on\n");
  const std::string two = Write("two.htm", "#title two\n#link one.htm|go back\n");
  for (const int limit : {0, 3}) {
    SCOPED_TRACE(limit);
    fv->SetHistoryMaxCount(limit);
    fv->LoadFromFile(one);
    for (const std::string& expected : {two, one, two}) {
      TDocViewer& viewer = *fv->ActiveViewer();
      const int x = viewer.MarginWidth() + 2;
      const int y = viewer.MarginHeight() + 8;
      t::ProcessEvents();
      t::MouseDown(viewer.PaintPanel(), x, y);
      t::MouseUp(viewer.PaintPanel(), x, y);
      t::ProcessEvents();
      EXPECT_EQ(fv->CurrentFile(), expected);
    }
    EXPECT_EQ(fv->BackButtonEnabled(), limit > 0);
    if (limit > 0) {
      fv->GoBack();
      EXPECT_EQ(fv->CurrentFile(), one);
      EXPECT_EQ(fv->ActiveViewer()->DocumentTitle(), "one");
    }
    EXPECT_EQ(FrameSets(), limit == 0 ? 1 : 3);  // four loads, three kept
  }
}

// The clicked viewer gives way to a nested set from inside its own click.
TEST_F(FrameHistoryTest, AClickedViewerReplacedByANestedSetComesBackWithBack) {
  Write("l.htm", "#title l\n#link set.htm|nested\n");
  fv->LoadFromFile(Write("two.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=l.htm NAME=Left><FRAME SRC=b1.htm></FRAMESET>"));
  TDocViewer& clicked = *Named("Left").Viewer();
  const int x = clicked.MarginWidth() + 2;
  const int y = clicked.MarginHeight() + 8;
  t::ProcessEvents();
  t::MouseDown(clicked.PaintPanel(), x, y);
  t::MouseUp(clicked.PaintPanel(), x, y);
  t::ProcessEvents();
  ASSERT_NE(Named("Left").NestedSet(), nullptr);
  EXPECT_EQ(Named("Left").Viewer(), nullptr);
  fv->GoBack();
  t::ProcessEvents();
  EXPECT_EQ(Shown("Left"), "l");
  EXPECT_EQ(fv->CurrentSet().FindFrame("deep"), nullptr);
  fv->GoForward();
  EXPECT_EQ(Named("Deep").Viewer()->DocumentTitle(), "b1");
}

TEST_F(FrameHistoryTest, NoStepIsTakenWhileAViewerIsBusy) {
  fv->SetHistoryMaxCount(3);
  fv->LoadFromFile(Path("a1.htm"));
  fv->LoadFromFile(top);
  Go("Left", "a2.htm");
  TDocViewer& inner = *Named("Left").Viewer();
  fv->ViewerBusy(inner, true);
  fv->GoBack();
  EXPECT_EQ(Shown("Left"), "a2");
  fv->SetHistoryIndex(1);
  EXPECT_EQ(fv->CurrentFile(), top);
  fv->ViewerBusy(inner, false);
  fv->GoBack();
  EXPECT_EQ(Shown("Left"), "a1");
  fv->GoBack();
  EXPECT_EQ(fv->CurrentFile(), Path("a1.htm"));
  EXPECT_FALSE(fv->IsProcessing());
}

}  // namespace

}  // namespace html
