#include "html/frames/frame_set.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "html/frames/frame.h"
#include "html/frames/frame_parse.h"
#include "platform/gui/form.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/screen_pixels.h"

namespace html {

namespace {

class FrameSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cl::testing::EnsureGuiTestApplication();
    form = std::make_unique<cl::TForm>(nullptr);
    form->SetBounds(10, 10, 600, 500);
    set = cl::Make<TFrameSet>(*form);
    set->SetParent(form.get());
    set->SetBounds(0, 0, 500, 400);
    form->Show();
    cl::testing::ProcessEvents();
  }
  void TearDown() override {
    form.reset();
    cl::testing::ProcessEvents();
  }

  // Parses the document into the set and places it, as a load does.
  void Load(const std::string& document) {
    set->Clear();
    TFrameDocumentInfo info;
    ASSERT_TRUE(FrameParse(TDocumentSource::FromBuffer(document.data(), static_cast<std::int32_t>(document.size())),
                           *set, {}, "C:\\docs\\top.htm", info));
    set->UpdateFrameList();
    bool first = false;
    bool last = false;
    set->CheckNoResize(first, last);
    set->CheckResize();
  }

  TFrame& FrameAt(std::size_t index) { return dynamic_cast<TFrame&>(*set->Children().at(index)); }

  std::unique_ptr<cl::TForm> form;
  TFrameSet* set = nullptr;
};

TEST_F(FrameSetTest, RowsAndColumnsPlaceTheChildren) {
  Load("<FRAMESET ROWS=\"100,*,2*\"><FRAME SRC=a.htm><FRAME SRC=b.htm>"
       "<FRAMESET COLS=\"30%,*\"><FRAME SRC=c.htm><FRAME SRC=d.htm></FRAMESET></FRAMESET>");
  ASSERT_EQ(set->Children().size(), 3u);
  EXPECT_TRUE(set->SplitRows);
  EXPECT_EQ(set->PixelSizes, (std::vector<std::int32_t>{100, 100, 200}));
  EXPECT_EQ(FrameAt(0).BoundsRect(), cl::Bounds(0, 0, 500, 100));
  EXPECT_EQ(FrameAt(1).BoundsRect(), cl::Bounds(0, 100, 500, 100));
  auto& nested = dynamic_cast<TSubFrameSet&>(*set->Children()[2]);
  EXPECT_EQ(nested.BoundsRect(), cl::Bounds(0, 200, 500, 200));
  EXPECT_FALSE(nested.SplitRows);
  EXPECT_EQ(nested.PixelSizes, (std::vector<std::int32_t>{150, 350}));
  EXPECT_EQ(nested.Children()[1]->BoundsRect(), cl::Bounds(150, 0, 350, 200));
  EXPECT_EQ(FrameAt(0).SourceFile, "C:\\docs\\a.htm");
  EXPECT_EQ(set->AllFrames.size(), 4u);
}

TEST_F(FrameSetTest, CodesAndFramesAreReconciled) {
  Load("<FRAMESET ROWS=*,*><FRAME SRC=a><FRAME SRC=b><FRAME SRC=c></FRAMESET>");
  EXPECT_EQ(set->SizeCodes, (std::vector<std::int32_t>{-1, -1, -1}));
  EXPECT_EQ(FrameAt(2).Height(), 133);
  set->Clear();
  cl::testing::ProcessEvents();
  EXPECT_TRUE(set->Children().empty());
  Load("<FRAMESET ROWS=*,*><FRAME SRC=a></FRAMESET>");
  ASSERT_EQ(set->Children().size(), 2u);
  EXPECT_EQ(FrameAt(1).SourceFile, "");
  EXPECT_EQ(FrameAt(1).BoundsRect(), cl::Bounds(0, 200, 500, 200));
}

TEST_F(FrameSetTest, FramesAreFoundByNameInAnyCase) {
  Load("<FRAMESET COLS=*,*><FRAME NAME=Main SRC=a><FRAMESET ROWS=*,*><FRAME NAME=side SRC=b>"
       "<FRAME SRC=c></FRAMESET></FRAMESET>");
  EXPECT_EQ(set->FindFrame("MAIN"), &FrameAt(0));
  EXPECT_EQ(set->FindFrame("main"), &FrameAt(0));
  auto& nested = dynamic_cast<TSubFrameSet&>(*set->Children()[1]);
  EXPECT_EQ(set->FindFrame("Side"), nested.Children()[0]);
  EXPECT_EQ(set->FindFrame("other"), nullptr);
  set->Clear();
  EXPECT_EQ(set->FindFrame("main"), nullptr);
  EXPECT_TRUE(set->AllFrames.empty());
  cl::testing::ProcessEvents();
}

TEST_F(FrameSetTest, BorderWidthDecidesBevelsAndInset) {
  Load("<FRAMESET ROWS=*,* BORDER=0><FRAME SRC=a><FRAME SRC=b></FRAMESET>");
  EXPECT_EQ(set->FrameBorder, 0);
  EXPECT_EQ(set->BevelInset, 2);
  EXPECT_EQ(set->BevelOuter(), cl::bvLowered);
  EXPECT_EQ(FrameAt(0).BevelOuter(), cl::bvNone);
  EXPECT_EQ(FrameAt(0).BoundsRect(), cl::Bounds(2, 2, 496, 198));
  set->Clear();
  Load("<FRAMESET ROWS=*,* FRAMEBORDER=4><FRAME SRC=a><FRAMESET COLS=*,*><FRAME><FRAME></FRAMESET></FRAMESET>");
  EXPECT_EQ(set->BevelInset, 0);
  EXPECT_EQ(set->BevelOuter(), cl::bvNone);
  EXPECT_EQ(FrameAt(0).BevelOuter(), cl::bvLowered);
  EXPECT_EQ(FrameAt(0).BevelWidth(), 4);
  auto& nested = dynamic_cast<TSubFrameSet&>(*set->Children()[1]);
  EXPECT_EQ(nested.FrameBorder, 4);
  EXPECT_EQ(dynamic_cast<TFrame&>(*nested.Children()[0]).BevelWidth(), 4);
}

TEST_F(FrameSetTest, DraggingABorderResizesItsNeighboursUntilTheSetIsResized) {
  Load("<FRAMESET ROWS=\"100,*,2*\"><FRAME SRC=a><FRAME SRC=b>"
       "<FRAMESET COLS=*,*><FRAME SRC=c><FRAME SRC=d></FRAMESET></FRAMESET>");
  TFrame& top = FrameAt(0);
  cl::testing::MouseMove(top, 10, 98);
  EXPECT_EQ(top.Cursor(), cl::crVSplit);
  cl::testing::MouseMove(top, 10, 50);
  EXPECT_EQ(top.Cursor(), cl::crDefault);

  cl::testing::MouseMove(top, 10, 98);
  cl::testing::MouseDown(top, 10, 98);
  EXPECT_EQ(set->DraggingSet, set);
  cl::testing::MouseMove(top, 10, 150, cl::ssLeft);
  cl::testing::MouseUp(top, 10, 150);
  EXPECT_EQ(set->DraggingSet, nullptr);
  EXPECT_EQ(top.Height(), 150);
  EXPECT_EQ(FrameAt(1).BoundsRect(), cl::Bounds(0, 150, 500, 50));

  // A border cannot be pulled past its neighbour: the lower border of the
  // middle frame stops one pixel below its upper one.
  TFrame& middle = FrameAt(1);
  cl::testing::MouseMove(middle, 10, 48);
  cl::testing::MouseDown(middle, 10, 48);
  cl::testing::MouseMove(middle, 10, -120, cl::ssLeft);
  cl::testing::MouseUp(middle, 10, -120);
  EXPECT_EQ(middle.Top(), 150);
  EXPECT_EQ(middle.Height(), 1);
  EXPECT_EQ(set->Children()[2]->BoundsRect(), cl::Bounds(0, 151, 500, 249));

  // The nested set keeps its columns in proportion when a drag resizes it.
  auto& nested = dynamic_cast<TSubFrameSet&>(*set->Children()[2]);
  EXPECT_EQ(nested.Children()[0]->Width(), 250);

  // The same size keeps the dragged sizes; a new size restores the codes.
  set->CheckResize();
  EXPECT_EQ(middle.Height(), 1);
  set->SetBounds(0, 0, 500, 800);
  EXPECT_EQ(FrameAt(0).Height(), 100);
  EXPECT_EQ(FrameAt(1).BoundsRect(), cl::Bounds(0, 100, 500, 233));
}

TEST_F(FrameSetTest, TheDragLineFollowsTheMouseWithinTheNeighboursBand) {
  Load("<FRAMESET ROWS=\"100,*,2*\"><FRAME SRC=a><FRAME SRC=b><FRAME SRC=c></FRAMESET>");
  TFrame& top = FrameAt(0);
  const cl::TPoint origin = set->ClientToScreen({0, 0});
  const auto lineAt = [&](int y) { return cl::Bounds(origin.X, origin.Y + y - 1, 500, 2); };
  EXPECT_TRUE(set->DragLine.IsEmpty());
  cl::testing::MouseMove(top, 10, 98);
  cl::testing::MouseDown(top, 10, 98);
  ASSERT_EQ(set->DraggingSet, set);
  EXPECT_EQ(set->DragLine, lineAt(98));
  // Border 1 moves between borders 0 and 2 (at 0 and 200), one pixel inside.
  struct Case {
    int mouseY;  // in the top frame, where the drag began
    int lineY;
  };
  const Case cases[] = {{150, 150}, {60, 60}, {199, 199}, {250, 199}, {1, 1}, {-40, 1}};
  for (const Case& c : cases) {
    cl::testing::MouseMove(top, 10, c.mouseY, cl::ssLeft);
    EXPECT_EQ(set->DragLine, lineAt(c.lineY)) << c.mouseY;
  }
  cl::testing::MouseMove(top, 10, 150, cl::ssLeft);
  EXPECT_EQ(cl::testing::ScreenPixel(*set, 250, 149), TSubFrameSet::DragLineColor);
  EXPECT_EQ(cl::testing::ScreenPixel(*set, 250, 150), TSubFrameSet::DragLineColor);
  EXPECT_NE(cl::testing::ScreenPixel(*set, 250, 152), TSubFrameSet::DragLineColor);
  cl::testing::MouseUp(top, 10, 150);
  EXPECT_TRUE(set->DragLine.IsEmpty());
  EXPECT_NE(cl::testing::ScreenPixel(*set, 250, 140), TSubFrameSet::DragLineColor);
  EXPECT_EQ(top.Height(), 150);
}

TEST_F(FrameSetTest, FrameSetsNestedPastTheLimitAreIgnoredWithWhatTheyHold) {
  constexpr int depth = 200000;
  std::string document = "<FRAMESET ROWS=\"*,*,*\"><FRAME NAME=First>";
  document.reserve(static_cast<std::size_t>(depth) * 40);
  for (int i = 1; i < depth; ++i) document += "<FRAMESET ROWS=*,*><FRAME NAME=Deep>";
  for (int i = 1; i < depth; ++i) document += "</FRAMESET>";
  // Found in the top set only when every ignored level's end tag closed that level.
  document += "<FRAME NAME=Last></FRAMESET>";
  Load(document);
  int levels = 1;
  const TSubFrameSet* level = set;
  for (;;) {
    const TSubFrameSet* next = nullptr;
    for (const TFrameBase* child : level->Children())
      if (const auto* childSet = dynamic_cast<const TSubFrameSet*>(child)) next = childSet;
    if (next == nullptr) break;
    // Each level kept holds its own frame and the next level.
    EXPECT_EQ(dynamic_cast<const TFrame&>(*next->Children().at(0)).TargetName, "Deep") << levels;
    level = next;
    ++levels;
  }
  EXPECT_EQ(levels, MaxFrameSetDepth);
  ASSERT_EQ(set->Children().size(), 3u);
  EXPECT_EQ(FrameAt(0).TargetName, "First");
  EXPECT_EQ(FrameAt(2).TargetName, "Last");
  // The deepest set kept: its frame, and an empty one for its second row.
  ASSERT_EQ(level->Children().size(), 2u);
  EXPECT_TRUE(dynamic_cast<const TFrame&>(*level->Children()[1]).TargetName.empty());
}

TEST_F(FrameSetTest, BordersBesideFixedFramesCannotBeDragged) {
  Load("<FRAMESET COLS=\"100,*,100\"><FRAME SRC=a NORESIZE><FRAME SRC=b><FRAME SRC=c></FRAMESET>");
  EXPECT_EQ(set->BlockedBorders, (std::vector<bool>{true, true, false, false}));
  TFrame& middle = FrameAt(1);
  cl::testing::MouseMove(middle, 2, 50);
  EXPECT_EQ(middle.Cursor(), cl::crDefault);
  cl::testing::MouseDown(middle, 2, 50);
  EXPECT_EQ(set->DraggingSet, nullptr);
  cl::testing::MouseUp(middle, 40, 50);
  EXPECT_EQ(FrameAt(0).Width(), 100);
  cl::testing::MouseMove(middle, 298, 50);
  EXPECT_EQ(middle.Cursor(), cl::crHSplit);
}

TEST_F(FrameSetTest, EmptySetsGiveSizesOfZero) {
  set->SetBounds(0, 0, 0, 0);
  Load("<FRAMESET ROWS=\"30%,*,2*\"><FRAME><FRAME><FRAME></FRAMESET>");
  EXPECT_EQ(set->PixelSizes, (std::vector<std::int32_t>{0, 0, 0}));
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(FrameAt(i).Height(), 0);
  set->SetBounds(0, 0, 500, 300);
  EXPECT_EQ(FrameAt(0).Height(), 90);
}

TEST_F(FrameSetTest, ClearingFromAFramesOwnMouseEventFreesItAfterwards) {
  Load("<FRAMESET ROWS=*,*><FRAME NAME=a><FRAME NAME=b></FRAMESET>");
  TFrame& frame = FrameAt(0);
  bool cleared = false;
  frame.OnMouseDown = [&](cl::TObject*, cl::TMouseButton, cl::TShiftState, int, int) {
    set->Clear();
    cleared = true;
  };
  const cl::testing::PressedMouseButton pressed(frame, 5, 5);
  cl::testing::ProcessEvents();
  EXPECT_TRUE(cleared);
  EXPECT_TRUE(set->Children().empty());
  EXPECT_EQ(set->FindFrame("a"), nullptr);
  // The set is usable again at once.
  Load("<FRAMESET COLS=*><FRAME NAME=c></FRAMESET>");
  EXPECT_NE(set->FindFrame("C"), nullptr);
}

}  // namespace

}  // namespace html
