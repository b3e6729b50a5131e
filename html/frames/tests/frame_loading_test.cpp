#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/form.h"
#include "platform/gui/test_support/gui_test.h"
#include "html/testing/viewer_fixture.h"

namespace html {

namespace {

class FrameLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cl::testing::EnsureGuiTestApplication();
    form = std::make_unique<cl::TForm>(nullptr);
    form->SetBounds(10, 10, 600, 500);
    set = cl::Make<TFrameSet>(*form);
    set->SetParent(form.get());
    set->SetBounds(0, 0, 400, 300);
    // Files are recorded by name; the error document goes through the line parser.
    set->DocumentParser = [this](const TParseRequest& request) {
      if (request.Source == TParseRequest::FromFile) {
        loads.push_back((request.Kind == ftText ? "text " : "file ") + request.FileName);
        return TParseResult{"Title of " + request.FileName, "", "main"};
      }
      loads.push_back("buffer " + std::string(request.Buffer));
      return ParseLines(request);
    };
    form->Show();
    cl::testing::ProcessEvents();
  }
  void TearDown() override {
    form.reset();
    cl::testing::ProcessEvents();
  }

  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  int LoadsOf(const std::string& entry) const {
    return static_cast<int>(std::count(loads.begin(), loads.end(), entry));
  }
  TFrame& FrameAt(TSubFrameSet& owner, std::size_t index) {
    return dynamic_cast<TFrame&>(*owner.Children().at(index));
  }

  const cl::testing::TempDirectory temp;
  const std::string dir = temp.Path().string();
  std::unique_ptr<cl::TForm> form;
  TFrameSet* set = nullptr;
  std::vector<std::string> loads;
};

TEST_F(FrameLoadingTest, PlainDocumentIsShownInOneFrame) {
  const std::string page = Write("page.htm", "<P>hello");
  set->LoadFromFile(page, "#part");
  ASSERT_EQ(set->Children().size(), 1u);
  TFrame& frame = FrameAt(*set, 0);
  ASSERT_NE(frame.Viewer(), nullptr);
  EXPECT_EQ(loads, (std::vector<std::string>{"file " + page}));
  EXPECT_EQ(frame.Anchor, "#part");
  EXPECT_EQ(set->SetFile, page);
  EXPECT_EQ(set->SetTitle, "Title of " + page);
  EXPECT_EQ(set->SetBaseTarget, "main");
  EXPECT_EQ(set->ActiveViewer(), frame.Viewer());
  EXPECT_EQ(frame.BoundsRect(), cl::Bounds(0, 0, 400, 300));
  EXPECT_EQ(frame.Viewer()->FrameOwner, &frame);
}

TEST_F(FrameLoadingTest, NestedFrameSetsLoadEveryFrame) {
  Write("top.htm", "<TITLE>Top</TITLE><FRAMESET ROWS=\"100,*\"><FRAME SRC=a.htm><FRAME SRC=sub.htm></FRAMESET>");
  Write("sub.htm", "<FRAMESET COLS=\"25%,*\"><FRAME SRC=b.htm><FRAME SRC=c.txt><FRAME></FRAMESET>");
  Write("a.htm", "a");
  Write("b.htm", "b");
  Write("c.txt", "c");
  set->LoadFromFile(dir + "/top.htm", "");
  EXPECT_EQ(set->SetTitle, "Top");
  EXPECT_EQ(loads, (std::vector<std::string>{"file " + dir + "/a.htm", "file " + dir + "/b.htm",
                                             "text " + dir + "/c.txt"}));
  TFrame& lower = FrameAt(*set, 1);
  ASSERT_NE(lower.NestedSet(), nullptr);
  EXPECT_EQ(lower.Viewer(), nullptr);
  TSubFrameSet& nested = *lower.NestedSet();
  ASSERT_EQ(nested.Children().size(), 3u);
  EXPECT_EQ(lower.BoundsRect(), cl::Bounds(0, 100, 400, 200));
  EXPECT_EQ(nested.BoundsRect(), cl::Bounds(0, 0, 400, 200));
  EXPECT_EQ(nested.Children()[0]->Width(), 100);
  EXPECT_EQ(set->AllFrames.size(), 5u);
  EXPECT_EQ(set->AllViewers.size(), 3u);
  // A frame without a source stays an empty panel.
  TFrame& empty = FrameAt(nested, 2);
  EXPECT_EQ(empty.Viewer(), nullptr);
  EXPECT_EQ(empty.NestedSet(), nullptr);
  // With several viewers the active one is the one entered last.
  EXPECT_EQ(set->ActiveViewer(), nullptr);
}

TEST_F(FrameLoadingTest, MissingFileShowsTheErrorDocumentAndSiblingsLoad) {
  Write("top.htm", "<FRAMESET COLS=*,*><FRAME SRC=\"no&lt;such.htm\"><FRAME SRC=a.htm></FRAMESET>");
  Write("a.htm", "a");
  set->LoadFromFile(dir + "/top.htm", "");
  const std::string error =
      "buffer <p><img src=\"qw%&.bmp\" alt=\"Error\"> Can't load " + dir + "/no&lt;such.htm";
  EXPECT_EQ(LoadsOf(error), 1);
  EXPECT_EQ(LoadsOf("file " + dir + "/a.htm"), 1);
  EXPECT_NE(FrameAt(*set, 0).Viewer(), nullptr);
}

TEST_F(FrameLoadingTest, SelfIncludingFrameSetStopsAfterFourLevels) {
  Write("self.htm", "<FRAMESET ROWS=*,*><FRAME SRC=self.htm><FRAME SRC=a.htm></FRAMESET>");
  Write("a.htm", "a");
  set->LoadFromFile(dir + "/self.htm", "");
  EXPECT_EQ(LoadsOf("file " + dir + "/a.htm"), 4);
  TSubFrameSet* level = set;
  int nestedLevels = 0;
  while (TSubFrameSet* next = FrameAt(*level, 0).NestedSet()) {
    level = next;
    ++nestedLevels;
  }
  EXPECT_EQ(nestedLevels, 4);
  EXPECT_EQ(FrameAt(*level, 0).Viewer(), nullptr);
  EXPECT_EQ(FrameAt(*level, 1).Viewer(), nullptr);
  EXPECT_EQ(set->LoadDepth, 0);
}

TEST_F(FrameLoadingTest, AFileThatCannotBeOpenedRaises) {
  EXPECT_THROW(set->LoadFromFile(dir + "/none.htm", ""), std::exception);
}

}  // namespace

}  // namespace html
