#include "html/images/image_cache.h"

#include <gtest/gtest.h>

#include <memory>

namespace html {

namespace {

// An entry with a 1x1 picture; alive counts the pictures not yet freed.
int alive = 0;
class CountedBitmap : public cl::TBitmap {
 public:
  CountedBitmap() { ++alive; }
  ~CountedBitmap() override { --alive; }
};

std::unique_ptr<TBitmapItem> Item() {
  return std::make_unique<TBitmapItem>(std::make_unique<CountedBitmap>(), nullptr, trOpaque);
}

TEST(ImageCache, AnUnusedImageSurvivesFiveNewDocumentsAndGoesOnTheSixth) {
  alive = 0;
  TStringBitmapList list;
  list.SetCacheLimit(5);
  list.AddItem("C:\\PIC.GIF", Item());
  EXPECT_EQ(list.Item(0)->UserCount, 1);
  list.DecUsage("C:\\PIC.GIF");  // its image object was freed
  for (int document = 1; document <= 5; ++document) {
    list.NewDocumentPass();
    ASSERT_EQ(list.Count(), 1) << document;
    EXPECT_EQ(list.Item(0)->IdleDocuments, document);
  }
  list.NewDocumentPass();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(alive, 0);
}

TEST(ImageCache, FetchingResetsTheIdleCountAndCountsAUser) {
  TStringBitmapList list;
  list.AddItem("A", Item());
  list.DecUsage("A");
  list.NewDocumentPass();
  list.NewDocumentPass();
  cl::TGraphic* image = list.GetImage(0);
  EXPECT_NE(image, nullptr);
  EXPECT_EQ(list.Item(0)->IdleDocuments, 0);
  EXPECT_EQ(list.Item(0)->UserCount, 1);
}

TEST(ImageCache, AnImageInUseIsNeverFreed) {
  alive = 0;
  TStringBitmapList list;
  list.AddItem("USED", Item());
  list.AddItem("IDLE", Item());
  list.DecUsage("IDLE");
  list.IncUsage("USED");
  list.DecUsage("USED");  // still one user
  for (int i = 0; i < 10; ++i) list.NewDocumentPass();
  list.SetCacheLimit(0);
  list.PurgeIdle();
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], "USED");
  EXPECT_EQ(alive, 1);
}

TEST(ImageCache, LimitZeroFreesEveryUnusedEntryThatHasSeenANewDocument) {
  TStringBitmapList list;
  EXPECT_EQ(list.CacheLimit(), 4);
  list.AddItem("OLD", Item());
  list.DecUsage("OLD");
  list.NewDocumentPass();
  list.AddItem("NEW", Item());
  list.DecUsage("NEW");
  list.SetCacheLimit(0);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], "NEW");
  EXPECT_EQ(list.CacheLimit(), 0);
  list.NewDocumentPass();  // now NEW has seen one too
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageCache, PurgeIdleFreesAtOnceWhateverIsUnused) {
  TStringBitmapList list;
  list.AddItem("A", Item());
  list.AddItem("B", Item());
  list.DecUsage("A");
  list.PurgeIdle();
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], "B");
}

TEST(ImageCache, ADuplicateKeyKeepsTheCachedEntryAndFreesTheNewOne) {
  alive = 0;
  TStringBitmapList list;
  TBitmapItem& first = list.AddItem("K", Item());
  TBitmapItem& again = list.AddItem("K", Item());
  EXPECT_EQ(&first, &again);
  EXPECT_EQ(first.UserCount, 2);
  EXPECT_EQ(alive, 1);
  // Through the string list's own call the list takes the object too.
  list.AddObject("K", Item().release());
  list.AddObject("L", Item().release());
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(alive, 2);
  list.Clear();
  EXPECT_EQ(alive, 0);
}

TEST(ImageCache, AFailureLastsUntilTheNextDocumentAndAPictureReplacesIt) {
  alive = 0;
  TStringBitmapList list;
  list.SetCacheLimit(5);
  list.AddFailure("BAD");
  list.AddFailure("BAD");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_TRUE(list.Item(0)->Failed());
  EXPECT_EQ(list.GetImage(0), nullptr);
  list.IncUsage("BAD");  // image objects showing the error picture
  list.NewDocumentPass();
  EXPECT_EQ(list.Count(), 0);

  list.AddFailure("LATE");
  TBitmapItem& arrived = list.AddItem("LATE", Item());
  EXPECT_FALSE(arrived.Failed());
  EXPECT_EQ(arrived.UserCount, 1);
  EXPECT_EQ(list.Count(), 1);
  list.AddFailure("LATE");  // a picture is never forgotten for a failure
  EXPECT_FALSE(list.Item(0)->Failed());
  list.Clear();
  EXPECT_EQ(alive, 0);
}

TEST(ImageCache, UsageOfAnUnknownKeyChangesNothing) {
  TStringBitmapList list;
  list.AddItem("A", Item());
  list.IncUsage("B");
  list.DecUsage("B");
  EXPECT_EQ(list.Item(0)->UserCount, 1);
}

}  // namespace

}  // namespace html
