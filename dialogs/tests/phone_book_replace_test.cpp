// Saving a phone book over an old one, as the suite's programs do it: the
// book behind a link, a save killed half-way, another program reading the
// book meanwhile.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/address_items.h"
#include "dialogs/phone_book_entry.h"
#include "brandlg/phone_book.h"
#include "dialogs/tests/phone_book_fixtures.h"
#include "platform/core/file_handle.h"
#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/scratch_file.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

namespace fs = std::filesystem;
using cl::testing::DirectoryContents;
using cl::testing::TempDirectory;
using Contents = std::map<std::string, std::string>;

ShortString S(const std::string& text) { return ShortString::From(text); }

std::string Line(int i) {
  return "\"Name " + std::to_string(i) + "\", \"\", \"+420-2-" + std::to_string(100000 + i) + "\", \"BKS\"\r\n";
}

// A caller's own list class: it hands out its entries as the library asks,
// and at one row lets the test stop the save there.
class HostList : public cl::TStrings {
 public:
  explicit HostList(int count) {
    for (int i = 0; i < count; ++i)
      entries_.push_back(
          std::make_unique<dlg::tPhoneBookItem>(dlg::testing::Entry("Name " + std::to_string(i), "", "+420", "2",
                                                                     std::to_string(100000 + i), 1)));
  }
  std::function<void()> atRow;
  int stopRow = -1;

  int Count() const override { return static_cast<int>(entries_.size()); }
  std::string Get(int) const override { return {}; }
  cl::TObject* GetObject(int index) const override {
    if (index == stopRow && atRow) atRow();
    return entries_.at(static_cast<std::size_t>(index)).get();
  }
  void PutObject(int, cl::TObject*) override {}
  void InsertObject(int, std::string_view, cl::TObject*) override {}
  void Delete(int) override {}
  void Clear() override {}

 private:
  std::vector<std::unique_ptr<dlg::tPhoneBookItem>> entries_;
};

std::string Book(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += Line(i);
  return text;
}

bool Save(const std::string& path, const cl::TStrings& list) {
  const ShortString name = S(path);
  return SAVEPHONEBOOK(&name, &list) != 0;
}

TEST(PhoneBookReplace, ASaveOntoALinkedBookWritesTheBookAndTheLinkStays) {
  const TempDirectory dir;
  dir.Write("real/real.phn", Book(500));
  fs::create_directories(dir.Path() / "config");
  fs::create_symlink("../real/real.phn", dir.Path() / "config/book.phn");
  fs::create_symlink("book.phn", dir.Path() / "config/BOOK2.PHN");
  const HostList list(3);
  ASSERT_FALSE(Save(dir / "config/book2.phn", list));  // the system's names ignore case
  EXPECT_EQ(DirectoryContents(dir / "config"),
            (Contents{{"book.phn", "-> ../real/real.phn"}, {"BOOK2.PHN", "-> book.phn"}}));
  EXPECT_EQ(DirectoryContents(dir / "real"), (Contents{{"real.phn", Book(3)}}));

  // The chooser's export writes its list the same way.
  auto exported = dlg::tBKAddressList::FromPhoneBook(dir / "real/real.phn");
  ASSERT_EQ(exported->Count(), 3);
  fs::create_symlink("../real/real.phn", dir.Path() / "config/EXPORT.PHN");
  dir.Write("real/real.phn", "\"Old\", \"\", \"+420-2-1\", \"BKS\"\r\n");
  ASSERT_NO_THROW(exported->SaveAsPhoneBook(dir / "config/EXPORT.PHN"));
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "config/EXPORT.PHN"));
  EXPECT_EQ(dlg::tBKAddressList::FromPhoneBook(dir / "real/real.phn")->Count(), 3);
  EXPECT_EQ(DirectoryContents(dir / "real").size(), 1u);
}

// A save killed in the middle of writing a large book (the caller's list
// stops it at a row far down): the old book stays whole, and nothing is left
// beside it for longer than until the next save.
TEST(PhoneBookReplace, ASaveKilledMidwayLeavesTheOldBookWholeAndNothingForLong) {
  const std::string old = Book(2000);
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "unnamed");
    const TempDirectory dir;
    const std::string path = dir.Write("book.phn", old);
    HostList list(20000);
    list.stopRow = 15000;
    cl::testing::WaitingChild saver([&](const cl::testing::WaitingChild::WaitHere& waitHere) {
      if (named && !cl::testing::RefuseUnnamedFiles()) throw std::runtime_error("no traps");
      list.atRow = waitHere;
      Save(path, list);
    });
    ASSERT_TRUE(saver.Ready());
    const Contents during = DirectoryContents(dir.Path().string());
    saver.Stop();
    Contents after = DirectoryContents(dir.Path().string());
    EXPECT_EQ(after, during);
    EXPECT_EQ(after["book.phn"], old);
    ASSERT_EQ(after.size(), named ? 2u : 1u);
    // The new file held the rows before the stop.
    after.erase("book.phn");
    if (named) {
      EXPECT_FALSE(after.begin()->second.empty());
      EXPECT_TRUE(Book(20000).starts_with(after.begin()->second));
    }
    list.stopRow = -1;
    ASSERT_FALSE(Save(path, list));
    EXPECT_EQ(DirectoryContents(dir.Path().string()), (Contents{{"book.phn", Book(20000)}}));
  }
}

// Another program of the suite only reading the book (deny-none sharing) lets
// the save through; one that denies writing keeps the save out.
TEST(PhoneBookReplace, AProgramReadingTheBookLetsTheSaveThroughUnlessItDeniesWrites) {
  struct Case {
    const char* what;
    std::uint32_t share;
    bool saved;
  } const cases[] = {
      {"deny none", win::FILE_SHARE_READ | win::FILE_SHARE_WRITE, true},
      {"deny write", win::FILE_SHARE_READ, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TempDirectory dir;
    const std::string path = dir.Write("book.phn", Book(500));
    const cl::testing::WaitingChild reader([&] {
      if (win::CreateFile(path, win::GENERIC_READ, c.share, win::OPEN_EXISTING) == win::INVALID_HANDLE_VALUE)
        throw std::runtime_error("no handle");
    });
    ASSERT_TRUE(reader.Ready());
    const HostList list(3);
    EXPECT_EQ(Save(path, list), !c.saved);
    EXPECT_EQ(DirectoryContents(dir.Path().string()), (Contents{{"book.phn", c.saved ? Book(3) : Book(500)}}));
  }
}

}  // namespace
