#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/testing/viewer_fixture.h"

namespace html {

namespace {

// The viewer's own history: newest first, limited, with one change event
// per recorded move.
class ViewerHistoryTest : public ViewerTest {
 protected:
  void SetUp() override {
    ViewerTest::SetUp();
    viewer->OnHistoryChange = [this](cl::TObject* sender) {
      EXPECT_EQ(sender, viewer);
      ++changes;
    };
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (int i = 0; i < viewer->History.Count(); ++i) files.push_back(viewer->History[i]);
    return files;
  }
  std::string Page(const std::string& name) { return Write(name + ".htm", "#title " + name + "\n" + Lines(60)); }

  int changes = 0;
};

TEST_F(ViewerHistoryTest, LoadsRecordUpToTheLimitNewestFirst) {
  struct Case {
    int limit;
    std::vector<std::string> loads;
    std::vector<std::string> files;  // History afterwards, index 0 first
    int changes;
  };
  const Case cases[] = {
      {0, {"A", "B", "C", "D"}, {}, 0},
      {3, {"A", "B", "C", "D"}, {"D", "C", "B"}, 4},
      {3, {"A"}, {"A"}, 1},
      // The same file again at the same place is no move.
      {3, {"A", "A"}, {"A"}, 1},
      {5, {"A", "B", "A"}, {"A", "B", "A"}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    // A fresh viewer for each case.
    ViewerHistoryTest::TearDown();
    SetUp();
    changes = 0;
    viewer->SetHistoryMaxCount(c.limit);
    for (const std::string& name : c.loads) viewer->LoadFromFile(Page(name));
    std::vector<std::string> expected;
    for (const std::string& name : c.files) expected.push_back((dir / (name + ".htm")).string());
    EXPECT_EQ(Files(), expected);
    EXPECT_EQ(viewer->TitleHistory.Count(), viewer->History.Count());
    EXPECT_EQ(static_cast<int>(viewer->PositionHistory.size()), viewer->History.Count());
    EXPECT_EQ(viewer->HistoryIndex, 0);
    EXPECT_EQ(changes, c.changes);
  }
}

TEST_F(ViewerHistoryTest, TheEntryLeftKeepsItsTitlePlaceAndKind) {
  viewer->SetHistoryMaxCount(5);
  const std::string a = Page("A");
  viewer->LoadFromFile(a);
  viewer->SetPosition(3);
  const int32_t left = viewer->Position();
  ASSERT_NE(left, 0);
  const std::string notes = Write("notes.txt", "plain\n");
  viewer->LoadTextFile(notes);
  ASSERT_EQ(viewer->History.Count(), 2);
  EXPECT_EQ(viewer->History[0], notes);
  EXPECT_EQ(viewer->PositionHistory[0].FileType, ftText);
  EXPECT_EQ(viewer->History[1], a);
  EXPECT_EQ(viewer->TitleHistory[1], "A");
  EXPECT_EQ(viewer->PositionHistory[1].Pos, left);
  EXPECT_EQ(viewer->PositionHistory[1].FileType, ftHTML);
  // The same name as another kind is another document.
  viewer->LoadImageFile(notes);
  EXPECT_EQ(viewer->History.Count(), 3);
  EXPECT_EQ(viewer->PositionHistory[0].FileType, ftImage);
}

TEST_F(ViewerHistoryTest, AMoveAfterAStepBackDropsTheNewerEntries) {
  viewer->SetHistoryMaxCount(5);
  for (const char* name : {"A", "B", "C"}) viewer->LoadFromFile(Page(name));
  // The owner says the document shown stands at entry 1: the entry newer
  // than it goes, and entry 1 records the document left.
  viewer->HistoryIndex = 1;
  viewer->LoadFromFile(Page("D"));
  EXPECT_EQ(Files(), (std::vector<std::string>{Page("D"), Page("C"), Page("A")}));
  EXPECT_EQ(viewer->HistoryIndex, 0);
}

TEST_F(ViewerHistoryTest, LoweringTheLimitEmptiesTheHistoryAndRaisingItKeepsIt) {
  viewer->SetHistoryMaxCount(10);
  for (const char* name : {"A", "B", "C"}) viewer->LoadFromFile(Page(name));
  viewer->SetHistoryMaxCount(20);
  EXPECT_EQ(viewer->History.Count(), 3);
  changes = 0;
  viewer->SetHistoryMaxCount(-1);
  viewer->SetHistoryMaxCount(20);
  EXPECT_EQ(viewer->History.Count(), 3);
  viewer->SetHistoryMaxCount(5);
  EXPECT_EQ(viewer->HistoryMaxCount(), 5);
  EXPECT_EQ(viewer->History.Count(), 0);
  EXPECT_TRUE(viewer->PositionHistory.empty());
  EXPECT_EQ(changes, 1);
  viewer->ClearHistory();  // nothing there: no event
  EXPECT_EQ(changes, 1);
}

TEST_F(ViewerHistoryTest, MemoryLoadsAndRefusedLoadsMakeNoEntry) {
  viewer->SetHistoryMaxCount(5);
  LoadText("from memory\n");
  viewer->LoadFromFile("");
  EXPECT_THROW(viewer->LoadFromFile((dir / "missing.htm").string()), cl::Exception);
  EXPECT_EQ(viewer->History.Count(), 0);
  EXPECT_EQ(changes, 0);
}

}  // namespace

}  // namespace html
