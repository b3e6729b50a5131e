#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/core/file_handle.h"
#include "platform/core/last_error.h"
#include "platform/core/replacing_write.h"
#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

namespace fs = std::filesystem;
using cl::testing::DeviceNode;
using cl::testing::DirectoryContents;
using cl::testing::IsCharacterDevice;
using cl::testing::TempDirectory;
using Contents = std::map<std::string, std::string>;

bool WriteAll(const win::ReplacingWrite& file, const std::string& text) {
  std::uint32_t done = 0;
  return win::WriteFile(file.Handle(), text.data(), static_cast<std::uint32_t>(text.size()), &done) &&
         done == text.size();
}

// Writes TEXT in place of PATH's contents; the error code, 0 on success.
std::uint32_t Replace(const std::string& path, const std::string& text,
                      win::ReplacingWrite::Refused refused = win::ReplacingWrite::Refused::ByHandlesDenyingWrites) {
  win::SetLastError(0);
  win::ReplacingWrite file(path, refused);
  if (!file.Ready() || !WriteAll(file, text) || !file.Commit()) return win::GetLastError();
  return 0;
}

TEST(ReplacingWrite, ASaveThroughALinkWritesTheFileItLeadsToAndTheLinkStays) {
  const TempDirectory dir;
  fs::create_directories(dir.Path() / "books");
  fs::create_directories(dir.Path() / "real");
  struct Case {
    const char* what;
    // Links made before the save: name -> what it holds.
    std::map<std::string, std::string> links;
    const char* saved;   // the name the save is given
    const char* target;  // the file that must get the bytes
  } const cases[] = {
      {"a plain new file", {}, "books/new.phn", "books/new.phn"},
      {"a link to a file", {{"books/a.phn", (dir / "real/a.phn")}}, "books/a.phn", "real/a.phn"},
      {"a link to a link", {{"books/b.phn", "c.phn"}, {"books/c.phn", "../real/b.phn"}}, "books/b.phn", "real/b.phn"},
      {"a relative link into another directory", {{"books/d.phn", "../real/d.phn"}}, "books/d.phn", "real/d.phn"},
      {"a dangling link", {{"books/e.phn", "../real/made.phn"}}, "books/e.phn", "real/made.phn"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& [name, to] : c.links) fs::create_symlink(to, dir.Path() / name);
    if (std::string(c.what) != "a dangling link" && std::string(c.target) != c.saved) dir.Write(c.target, "old");
    const Contents booksBefore = DirectoryContents(dir / "books");
    ASSERT_EQ(Replace(dir / c.saved, "new contents"), 0u);
    EXPECT_EQ(dir.Read(c.target), "new contents");
    for (const auto& [name, to] : c.links) {
      std::error_code error;
      EXPECT_TRUE(fs::is_symlink(dir.Path() / name, error)) << name;
      EXPECT_EQ(fs::read_symlink(dir.Path() / name, error).string(), to) << name;
    }
    // Nothing else came or went on either side.
    Contents booksAfter = DirectoryContents(dir / "books");
    if (c.links.empty()) booksAfter.erase(c.saved + std::string("books/").size());
    EXPECT_EQ(booksAfter, booksBefore);
  }
  EXPECT_EQ(DirectoryContents(dir / "real"),
            (Contents{{"a.phn", "new contents"}, {"b.phn", "new contents"}, {"d.phn", "new contents"},
                      {"made.phn", "new contents"}}));
}

TEST(ReplacingWrite, ALinkLoopOrADirectoryIsRefused) {
  const TempDirectory dir;
  fs::create_symlink("loop2", dir.Path() / "loop1");
  fs::create_symlink("loop1", dir.Path() / "loop2");
  fs::create_directory(dir.Path() / "folder");
  fs::create_symlink("folder", dir.Path() / "to-folder");
  EXPECT_NE(Replace(dir / "loop1", "x"), 0u);
  EXPECT_EQ(Replace(dir / "folder", "x"), win::ERROR_ACCESS_DENIED);
  EXPECT_EQ(Replace(dir / "to-folder", "x"), win::ERROR_ACCESS_DENIED);
  EXPECT_EQ(DirectoryContents(dir.Path().string()),
            (Contents{{"loop1", "-> loop2"}, {"loop2", "-> loop1"}, {"folder", "<not a file>"},
                      {"to-folder", "-> folder"}}));
}

TEST(ReplacingWrite, ADeviceIsWrittenInPlaceAndItsFailureIsTheWrites) {
  const TempDirectory dir;
  const std::string null = DeviceNode(dir, "null", 3);
  const std::string full = DeviceNode(dir, "full", 7);
  fs::create_symlink(null, dir.Path() / "to-null");
  for (const std::string& path : {null, dir / "to-null"}) {
    SCOPED_TRACE(path);
    win::ReplacingWrite file(path);
    ASSERT_TRUE(file.Ready());
    EXPECT_TRUE(file.InPlace());
    EXPECT_TRUE(WriteAll(file, "anything"));
    EXPECT_TRUE(file.Commit());
  }
  {
    win::ReplacingWrite file(full);
    ASSERT_TRUE(file.Ready());
    win::SetLastError(0);
    EXPECT_FALSE(WriteAll(file, "anything"));
    EXPECT_EQ(win::GetLastError(), 112u);
  }
  EXPECT_TRUE(IsCharacterDevice(null));
  EXPECT_TRUE(IsCharacterDevice(full));
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "to-null"));
}

TEST(ReplacingWrite, AFifoGetsTheBytesItsReaderReadsAndWithoutAReaderTheWriteFails) {
  const TempDirectory dir;
  const std::string fifo = dir / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  EXPECT_NE(Replace(fifo, "nobody reads"), 0u);

  const std::string sent = "through the pipe";
  cl::testing::FifoReader reader(fifo, [&](const std::string& got) { return got.size() >= sent.size(); });
  ASSERT_TRUE(reader.Ready());
  EXPECT_EQ(Replace(fifo, sent), 0u);
  EXPECT_EQ(reader.Received(), sent);
  struct stat st;
  ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(DirectoryContents(dir.Path().string()).size(), 1u);
}

TEST(ReplacingWrite, TheNewFileKeepsTheOldOnesRightsAndAReadOnlyFileRefuses) {
  const TempDirectory dir;
  dir.Write("book", "old");
  ASSERT_EQ(chmod((dir / "book").c_str(), 0640), 0);
  ASSERT_EQ(Replace(dir / "book", "new"), 0u);
  struct stat st;
  ASSERT_EQ(stat((dir / "book").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  {
    win::ReplacingWrite file(dir / "book");
    ASSERT_TRUE(WriteAll(file, "read-only now"));
    ASSERT_TRUE(file.SetReadOnly(true));
    ASSERT_TRUE(file.Commit());
  }
  ASSERT_EQ(stat((dir / "book").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0440u);
  EXPECT_EQ(Replace(dir / "book", "refused"), win::ERROR_ACCESS_DENIED);
  EXPECT_EQ(DirectoryContents(dir.Path().string()), (Contents{{"book", "read-only now"}}));
}

TEST(ReplacingWrite, AnUncommittedWriteLeavesTheOldFileAndNothingElse) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "unnamed");
    const TempDirectory dir;
    dir.Write("book", "old");
    const int status = cl::testing::RunInChild([&] {
      if (named && !cl::testing::RefuseUnnamedFiles()) throw std::runtime_error("no traps");
      win::ReplacingWrite file(dir / "book");
      if (!file.Ready() || !WriteAll(file, "never")) throw std::runtime_error("no write");
      if (DirectoryContents(dir.Path().string()).size() != (named ? 2u : 1u)) throw std::runtime_error("form");
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(DirectoryContents(dir.Path().string()), (Contents{{"book", "old"}}));
  }
}

// A child that writes half a book and is killed there: the old book stays
// whole; unnamed, nothing else is left; named, the child's file stays until
// the next save of the book removes it, and no live writer's file with it.
TEST(ReplacingWrite, AWriterKilledMidwayLeavesTheOldFileAndTheNextSaveRemovesItsFile) {
  const std::string old(100000, 'o');
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "unnamed");
    const TempDirectory dir;
    dir.Write("book", old);
    cl::testing::WaitingChild writer([&] {
      if (named && !cl::testing::RefuseUnnamedFiles()) throw std::runtime_error("no traps");
      auto* file = new win::ReplacingWrite(dir / "book");  // never ends: the kill does
      if (!file->Ready() || !WriteAll(*file, std::string(300000, 'n'))) throw std::runtime_error("no write");
    });
    ASSERT_TRUE(writer.Ready());
    const std::string dead = std::to_string(writer.Pid());
    const Contents during = DirectoryContents(dir.Path().string());
    writer.Stop();
    Contents after = DirectoryContents(dir.Path().string());
    EXPECT_EQ(during, after);
    EXPECT_EQ(after["book"], old);
    after.erase("book");
    if (!named) {
      EXPECT_TRUE(after.empty()) << after.begin()->first;
      continue;
    }
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after.begin()->first.rfind(".book.~" + dead + "-", 0), 0u) << after.begin()->first;

    const cl::testing::WaitingChild live([] {});
    ASSERT_TRUE(live.Ready());
    const std::string kept[] = {".book.~" + std::to_string(live.Pid()) + "-0", ".other.~" + dead + "-0",
                                ".book.~" + dead, ".book.~x" + dead + "-1"};
    for (const std::string& name : kept) dir.Write(name, "kept");
    ASSERT_EQ(Replace(dir / "book", "next"), 0u);
    Contents expected{{"book", "next"}};
    for (const std::string& name : kept) expected[name] = "kept";
    EXPECT_EQ(DirectoryContents(dir.Path().string()), expected);
  }
}

// Another program of the suite holding the old file: a replacement is refused
// only when its handle denies writing; the old file is then whole.
TEST(ReplacingWrite, OnlyAHandleThatDeniesWritingKeepsTheFileFromBeingReplaced) {
  using Refused = win::ReplacingWrite::Refused;
  constexpr std::uint32_t all = win::FILE_SHARE_READ | win::FILE_SHARE_WRITE;
  constexpr std::uint32_t readWrite = win::GENERIC_READ | win::GENERIC_WRITE;
  constexpr std::uint32_t sharing = win::ERROR_SHARING_VIOLATION;
  struct Case {
    const char* what;
    std::uint32_t access, share;
    Refused refused;
    std::uint32_t error;
  } const cases[] = {
      {"a reader sharing all", win::GENERIC_READ, all, Refused::ByHandlesDenyingWrites, 0},
      {"a writer sharing all", readWrite, all, Refused::ByHandlesDenyingWrites, 0},
      {"a reader sharing writing only", win::GENERIC_READ, win::FILE_SHARE_WRITE, Refused::ByHandlesDenyingWrites, 0},
      {"a reader denying writes", win::GENERIC_READ, win::FILE_SHARE_READ, Refused::ByHandlesDenyingWrites, sharing},
      {"an exclusive writer", readWrite, 0, Refused::ByHandlesDenyingWrites, sharing},
      {"a reader sharing all, an exclusive replacement", win::GENERIC_READ, all, Refused::ByAnyHandle, sharing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TempDirectory dir;
    dir.Write("book", "old");
    {
      const cl::testing::WaitingChild holder([&] {
        if (win::CreateFile(dir / "book", c.access, c.share, win::OPEN_EXISTING) == win::INVALID_HANDLE_VALUE)
          throw std::runtime_error("no handle");
      });
      ASSERT_TRUE(holder.Ready());
      EXPECT_EQ(Replace(dir / "book", "new", c.refused), c.error);
      EXPECT_EQ(DirectoryContents(dir.Path().string()), (Contents{{"book", c.error ? "old" : "new"}}));
    }
    // With the holder gone every replacement goes through.
    EXPECT_EQ(Replace(dir / "book", "newer"), 0u);
    EXPECT_EQ(dir.Read("book"), "newer");
  }
}

}  // namespace
