#include "platform/core/string_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/core/ansi_case.h"

namespace {

using cl::TDuplicates;
using cl::TStringList;

// Counts its own destruction, so tests can see who deletes an entry's object.
struct Tracked : cl::TObject {
  explicit Tracked(int* deaths) : deaths_(deaths) {}
  ~Tracked() override { ++*deaths_; }
  int* deaths_;
};

std::vector<std::string> Lines(const cl::TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

TEST(AnsiCase, CzechLettersFoldBetweenTheirTwoCases) {
  EXPECT_EQ(cl::AnsiUpperCase("p\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd"),
            "P\xd8\xcdLI\x8a \x8eLU\x8dOU\xc8K\xdd");  // příliš žluťoučký
  EXPECT_EQ(cl::AnsiLowerCase("\xd8\xc8\x8a\xa3"), "\xf8\xe8\x9a\xb3");
  EXPECT_EQ(cl::AnsiUpperChar('\xf7'), '\xf7');  // ÷ has no case
  EXPECT_EQ(cl::AnsiUpperChar('\xdf'), '\xdf');  // nor has ß
  EXPECT_EQ(cl::AnsiCompareText("\xe8\x61j", "\xc8\x41J"), 0);
  EXPECT_LT(cl::AnsiCompareText("abc", "ABD"), 0);
  EXPECT_LT(cl::AnsiCompareText("ab", "AB0"), 0);
}

TEST(StringList, SortedListKeepsCaseInsensitiveOrderAndFindsEntries) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "\xc8in", "banana", "apple2"}) list.Add(s);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "apple2", "banana", "pear", "\xc8in"}));
  int index = -1;
  EXPECT_TRUE(list.Find("APPLE", index));
  EXPECT_EQ(index, 0);
  EXPECT_TRUE(list.Find("\xe8IN", index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(list.Find("cherry", index));
  EXPECT_EQ(index, 3);  // where it would go
  EXPECT_EQ(list.IndexOf("BANANA"), 2);
  EXPECT_EQ(list.IndexOf("cherry"), -1);
  EXPECT_THROW(list.Insert(0, "zzz"), cl::EStringListError);
}

TEST(StringList, DuplicatesAreIgnoredAcceptedOrRefused) {
  int deaths = 0;
  {
    TStringList ignore(true);
    ignore.SetSorted(true);
    auto first = std::make_unique<Tracked>(&deaths);
    auto second = std::make_unique<Tracked>(&deaths);
    EXPECT_EQ(ignore.AddObject("key", first.get()), 0);
    first.release();
    EXPECT_EQ(ignore.AddObject("KEY", second.get()), 0);  // not taken: still ours
    EXPECT_EQ(ignore.Count(), 1);
    EXPECT_NE(ignore.Objects(0), second.get());
  }
  EXPECT_EQ(deaths, 2);  // the list's one and ours

  TStringList accept;
  accept.SetSorted(true);
  accept.SetDuplicates(TDuplicates::dupAccept);
  accept.Add("b");
  accept.Add("a");
  EXPECT_EQ(accept.Add("B"), 1);  // before the equal entry
  EXPECT_EQ(Lines(accept), (std::vector<std::string>{"a", "B", "b"}));
  int index = -1;
  EXPECT_TRUE(accept.Find("b", index));
  EXPECT_EQ(index, 1);  // the first of the equal entries

  TStringList refuse;
  refuse.SetSorted(true);
  refuse.SetDuplicates(TDuplicates::dupError);
  refuse.Add("x");
  EXPECT_THROW(refuse.Add("X"), cl::EStringListError);
  EXPECT_EQ(refuse.Count(), 1);
}

TEST(StringList, CaseSensitiveListSortsInByteOrder) {
  TStringList list;
  list.SetCaseSensitive(true);
  list.SetSorted(true);
  list.Add("b");
  list.Add("B");
  list.Add("a");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"B", "a", "b"}));
  EXPECT_EQ(list.IndexOf("A"), -1);
}

TEST(StringList, OwningListDeletesObjectsOnDeleteClearReplaceAndDestruction) {
  int deaths = 0;
  {
    TStringList list(true);
    for (int i = 0; i < 4; ++i) list.AddObject("e", new Tracked(&deaths));
    list.Delete(0);
    EXPECT_EQ(deaths, 1);
    list.PutObject(0, new Tracked(&deaths));
    EXPECT_EQ(deaths, 2);
    std::unique_ptr<cl::TObject> kept(list.ExtractObject(1));
    list.Move(2, 0);  // moving keeps the object alive
    EXPECT_EQ(deaths, 2);
    list.Clear();
    EXPECT_EQ(deaths, 4);
    EXPECT_EQ(list.Count(), 0);
    list.AddObject("last", new Tracked(&deaths));
  }
  EXPECT_EQ(deaths, 6);  // the extracted one and the last one
}

TEST(StringList, PlainListLeavesObjectsToTheirOwner) {
  int deaths = 0;
  Tracked object(&deaths);
  {
    TStringList list;
    list.AddObject("a", &object);
    EXPECT_EQ(list.IndexOfObject(&object), 0);
    list.Clear();
  }
  EXPECT_EQ(deaths, 0);
}

TEST(StringList, TextJoinsWithCrLfAndSplitsAtAnyLineEnd) {
  TStringList list;
  list.SetText("one\r\ntwo\nthree\r\rfive");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"one", "two", "three", "", "five"}));
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\n\r\nfive\r\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
}

TEST(StringList, BadIndexesRaise) {
  TStringList list;
  list.Add("a");
  EXPECT_THROW(list.Get(1), cl::EStringListError);
  EXPECT_THROW(list.Delete(-1), cl::EStringListError);
  EXPECT_THROW(list.Insert(2, "x"), cl::EStringListError);
}

TEST(StringList, AssignCopiesStringsAndObjectsAndSortedSetterSorts) {
  int deaths = 0;
  Tracked object(&deaths);
  TStringList source;
  source.AddObject("b", &object);
  source.Add("a");
  TStringList target;
  target.Add("old");
  target.Assign(source);
  EXPECT_EQ(Lines(target), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(target.Objects(0), &object);
  target.SetSorted(true);
  EXPECT_EQ(Lines(target), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(target.Objects(1), &object);
}

// Only the primitives, so the base class's own batch operations run; the
// update states it is told of are recorded.
class PrimitiveStrings final : public cl::TStrings {
 public:
  PrimitiveStrings() {
    list_.SetSorted(true);
    list_.SetDuplicates(TDuplicates::dupError);
  }
  int Count() const override { return list_.Count(); }
  std::string Get(int index) const override { return list_.Get(index); }
  cl::TObject* GetObject(int index) const override { return list_.GetObject(index); }
  void PutObject(int index, cl::TObject* object) override { list_.PutObject(index, object); }
  void InsertObject(int index, std::string_view text, cl::TObject* object) override {
    if (index != list_.Count()) throw cl::EStringListError("Operation not allowed on sorted string list");
    list_.AddObject(text, object);
  }
  void Delete(int index) override { list_.Delete(index); }
  void Clear() override { list_.Clear(); }

  std::vector<bool> States;

 protected:
  void SetUpdateState(bool updating) override { States.push_back(updating); }

 private:
  TStringList list_;
};

TEST(StringList, AChangeThatRaisesPartWayLeavesTheListOutOfUpdateMode) {
  struct Case {
    const char* what;
    std::function<void(cl::TStrings&)> change;
  };
  TStringList twice;
  twice.Add("c");
  twice.Add("c");
  const Case cases[] = {
      {"Move into the middle", [](cl::TStrings& list) { list.Move(1, 0); }},
      {"AddStrings of a duplicate", [&](cl::TStrings& list) { list.AddStrings(twice); }},
      {"Assign of a duplicate", [&](cl::TStrings& list) { list.Assign(twice); }},
      {"SetText with a repeated line", [](cl::TStrings& list) { list.SetText("c\r\nc"); }},
      {"a batch of the caller's", [](cl::TStrings& list) {
         const cl::TStringsUpdate update(list);
         list.Add("a");
       }},
  };
  for (const Case& c : cases) {
    PrimitiveStrings list;
    list.Add("a");
    list.Add("b");
    EXPECT_THROW(c.change(list), cl::EStringListError) << c.what;
    EXPECT_FALSE(list.Updating()) << c.what;
    EXPECT_EQ(list.States, (std::vector<bool>{true, false})) << c.what;
  }
}

TEST(StringList, AnUpdateInsideAnotherEndsOnlyWithTheOutermost) {
  PrimitiveStrings list;
  {
    const cl::TStringsUpdate outer(list);
    {
      const cl::TStringsUpdate inner(list);
      list.Add("a");
    }
    EXPECT_TRUE(list.Updating());
  }
  EXPECT_FALSE(list.Updating());
  EXPECT_EQ(list.States, (std::vector<bool>{true, false}));
}

}  // namespace
