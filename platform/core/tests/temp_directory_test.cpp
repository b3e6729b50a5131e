#include "platform/core/test_support/temp_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/test_support/scratch_file.h"

namespace {

namespace fs = std::filesystem;
using cl::testing::TempDirectory;

TEST(TempDirectory, EachIsFreshAndNamedForTheProcessAndTheTest) {
  const TempDirectory one;
  const TempDirectory two;
  EXPECT_NE(one.Path(), two.Path());
  for (const TempDirectory* dir : {&one, &two}) {
    EXPECT_TRUE(fs::is_directory(dir->Path()));
    EXPECT_TRUE(fs::is_empty(dir->Path()));
    const std::string name = dir->Path().filename().string();
    EXPECT_NE(name.find("-" + std::to_string(getpid()) + "-"), std::string::npos) << name;
    EXPECT_NE(name.find("TempDirectory.EachIsFreshAndNamedForTheProcessAndTheTest"), std::string::npos) << name;
  }
}

TEST(TempDirectory, GoesWithReadOnlyEntriesButLeavesWhatLinksPointAt) {
  const TempDirectory outside;
  outside.Write("kept.txt", "kept");
  outside.ReadOnly("kept.txt");
  fs::path path;
  {
    const TempDirectory dir;
    path = dir.Path();
    dir.Write("sub/deeper/file.txt", "text");
    dir.ReadOnly("sub/deeper/file.txt");
    chmod((dir / "sub/deeper").c_str(), 0500);
    fs::create_symlink(outside.Path() / "kept.txt", dir.Path() / "link");
    fs::create_symlink(dir.Path() / "nowhere", dir.Path() / "dangling");
    EXPECT_TRUE(dir.Exists("dangling"));
    chmod(dir.Path().c_str(), 0500);
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(path)));
  EXPECT_EQ(outside.Read("kept.txt"), "kept");
  EXPECT_EQ(fs::status(outside.Path() / "kept.txt").permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST(TempDirectory, WritesMakeTheirFoldersAndReadsGiveTheBytesBack) {
  const TempDirectory dir;
  const std::string binary("a\0b\r\n\xff", 6);
  EXPECT_EQ(dir.Write("x/y/bytes.bin", binary), (dir.Path() / "x/y/bytes.bin").string());
  EXPECT_EQ(dir.Read("x/y/bytes.bin"), binary);
  EXPECT_EQ(dir.Write("v.bin", std::vector<std::uint8_t>{0, 200, 7}), dir / "v.bin");
  EXPECT_EQ(dir.Read("v.bin"), std::string("\0\xc8\x07", 3));
  dir.Write("v.bin", "shorter");
  EXPECT_EQ(dir.Read("v.bin"), "shorter");
  EXPECT_EQ(dir.Read("missing"), "<missing>");
  EXPECT_FALSE(dir.Exists("missing"));
}

TEST(ScratchFile, AFileThatCannotBeWrittenRaises) {
  const TempDirectory dir;
  dir.Write("plain", "");
  // A regular file where a parent folder should be.
  EXPECT_THROW(cl::testing::WriteScratchFile(dir.Path() / "plain" / "child", "x"), std::exception);
}

}  // namespace
