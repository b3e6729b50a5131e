// The exports that replace a whole file, called as a program of the suite
// calls them: through links, onto devices, killed on the way, and beside
// another program that holds the old file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "branutl/bk_files.h"
#include "branutl/files.h"
#include "branutl/handles.h"
#include "platform/core/short_string.h"
#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/scratch_file.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

namespace fs = std::filesystem;
using cl::testing::DeviceNode;
using cl::testing::DirectoryContents;
using cl::testing::IsCharacterDevice;
using cl::testing::TempDirectory;
using Contents = std::map<std::string, std::string>;

ShortString S(const std::string& text) { return ShortString::From(text); }

std::string Data(std::size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(((i + seed) * 2654435761u) >> 13 | 1);
  return s;
}

// One header for the whole run, so that equal saves give equal bytes.
const tBKHeader& Header() {
  static const tBKHeader header = [] {
    tBKHeader h;
    FILLBKHEADER(&h, false, 55, 32, 1);
    return h;
  }();
  return header;
}

bool SaveBK(const std::string& path, const std::string& data) {
  const ShortString name = S(path);
  return SAVEBKFILE(&name, 0, &Header(), data.data(), static_cast<std::uint16_t>(data.size()));
}

// The old file every case starts from: a BK file, so that truncating works.
std::string OldBytes() {
  static const std::string bytes = [] {
    const TempDirectory scratch;
    SaveBK(scratch / "old", Data(300, 1));
    return cl::testing::ReadScratchFile(scratch / "old");
  }();
  return bytes;
}

struct Writer {
  const char* name;
  bool needsOldFile;
  // Holds the old file exclusively, so that any other handle refuses it.
  bool exclusive;
  // TRUE on failure, as the export's result.
  std::function<bool(const std::string& path)> run;
};

const std::vector<Writer>& Writers() {
  static const TempDirectory sources;
  static const std::string source = sources.Write("source.txt", Data(70000, 2));
  static const std::vector<Writer> writers = {
      {"COPYFILE", false, true,
       [](const std::string& path) {
         const ShortString from = S(source), to = S(path);
         return COPYFILE(&from, &to);
       }},
      {"SAVEBKFILE", false, true, [](const std::string& path) { return SaveBK(path, Data(5000, 3)); }},
      {"TRUNCATEBKFILE", true, false,
       [](const std::string& path) {
         const ShortString name = S(path);
         return TRUNCATEBKFILE(&name, 120);
       }},
  };
  return writers;
}

// What the writer makes of the old file (or of none) at a plain name.
std::string Expected(const Writer& writer) {
  const TempDirectory scratch;
  if (writer.needsOldFile) cl::testing::WriteScratchFile(scratch / "plain", OldBytes());
  if (writer.run(scratch / "plain")) return "<failed>";
  return cl::testing::ReadScratchFile(scratch / "plain");
}

TEST(ReplacingSaves, ASaveThroughALinkWritesTheFileItLeadsToAndTheLinkStays) {
  struct Layout {
    const char* what;
    std::map<std::string, std::string> links;
    const char* target;
    bool dangling;
  } const layouts[] = {
      {"a link to a file", {{"books/f", "@real/f"}}, "real/f", false},
      {"a link to a link", {{"books/f", "g"}, {"books/g", "../real/f"}}, "real/f", false},
      {"a relative link into another directory", {{"books/f", "../real/f"}}, "real/f", false},
      {"a dangling link", {{"books/f", "../real/made"}}, "real/made", true},
  };
  for (const Writer& writer : Writers())
    for (const Layout& layout : layouts) {
      if (layout.dangling && writer.needsOldFile) continue;
      SCOPED_TRACE(std::string(writer.name) + ", " + layout.what);
      const TempDirectory dir;
      fs::create_directories(dir.Path() / "books");
      fs::create_directories(dir.Path() / "real");
      Contents links;
      for (auto [name, to] : layout.links) {
        if (to.front() == '@') to = dir / to.substr(1);
        fs::create_symlink(to, dir.Path() / name);
        links[fs::path(name).filename().string()] = "-> " + to;
      }
      if (!layout.dangling) dir.Write(layout.target, OldBytes());
      ASSERT_FALSE(writer.run(dir / "books/f"));
      EXPECT_EQ(DirectoryContents(dir / "books"), links);
      EXPECT_EQ(DirectoryContents(dir / "real"),
                (Contents{{fs::path(layout.target).filename().string(), Expected(writer)}}));
    }
}

TEST(ReplacingSaves, ADeviceIsWrittenInPlaceAndAFailingOneFailsTheSave) {
  const TempDirectory dir;
  const std::string null = DeviceNode(dir, "null", 3);
  const std::string full = DeviceNode(dir, "full", 7);
  for (const Writer& writer : Writers()) {
    if (writer.needsOldFile) continue;
    SCOPED_TRACE(writer.name);
    EXPECT_FALSE(writer.run(null));
    EXPECT_TRUE(writer.run(full));
    EXPECT_TRUE(IsCharacterDevice(null));
    EXPECT_TRUE(IsCharacterDevice(full));
  }
}

TEST(ReplacingSaves, AFifoGetsTheSavedBytes) {
  const TempDirectory dir;
  const std::string fifo = dir / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  const Writer& save = Writers()[1];
  const std::string expected = Expected(save);
  cl::testing::FifoReader reader(fifo, [&](const std::string& got) { return got.size() >= expected.size(); });
  ASSERT_TRUE(reader.Ready());
  EXPECT_FALSE(save.run(fifo));
  EXPECT_EQ(reader.Received(), expected);
  EXPECT_EQ(DirectoryContents(dir.Path().string()), (Contents{{"pipe", "<not a file>"}}));
}

// Each writer killed with its new file complete, at the rename that would put
// it in place: the old file stays whole, and anything left is gone after the
// next save.
TEST(ReplacingSaves, AWriterKilledBeforeItsRenameLeavesTheOldFileAndTheNextSaveCleansUp) {
  for (const Writer& writer : Writers())
    for (const bool named : {false, true}) {
      SCOPED_TRACE(std::string(writer.name) + (named ? ", named" : ", unnamed"));
      const TempDirectory dir;
      const std::string path = dir.Write("book", OldBytes());
      const int status = cl::testing::RunInChild([&] {
        if (named && !cl::testing::RefuseUnnamedFiles()) _exit(3);
        if (!cl::testing::DieAtFirstRenameOrLink()) _exit(3);
        writer.run(path);
      });
      ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS) << status;
      Contents left = DirectoryContents(dir.Path().string());
      EXPECT_EQ(left["book"], OldBytes());
      EXPECT_EQ(left.size(), named ? 2u : 1u);
      ASSERT_FALSE(writer.run(path));
      EXPECT_EQ(DirectoryContents(dir.Path().string()), (Contents{{"book", Expected(writer)}}));
    }
}

// Another program of the suite reading the old file: with deny-none sharing a
// save that shares the file replaces it (one that holds it exclusively does
// not); with deny-write sharing every save fails, the old file whole.
TEST(ReplacingSaves, AReaderSharingWritesLetsASharingSaveThroughOneDenyingWritesNone) {
  for (const Writer& writer : Writers())
    for (const std::uint16_t mode : {0x40, 0x20}) {
      SCOPED_TRACE(std::string(writer.name) + (mode == 0x40 ? ", deny none" : ", deny write"));
      const TempDirectory dir;
      const std::string path = dir.Write("book", OldBytes());
      const cl::testing::WaitingChild reader([&] {
        const ShortString name = S(path);
        std::int32_t handle = -1;
        if (OPENHANDLE(&name, mode, &handle)) throw std::runtime_error("no handle");
      });
      ASSERT_TRUE(reader.Ready());
      const bool failed = writer.run(path);
      EXPECT_EQ(failed, mode == 0x20 || writer.exclusive);
      EXPECT_EQ(DirectoryContents(dir.Path().string()),
                (Contents{{"book", failed ? OldBytes() : Expected(writer)}}));
    }
}

}  // namespace
