#include "platform/core/file_system.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/core/file_handle.h"
#include "platform/core/file_sharing.h"
#include "platform/core/last_error.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

using namespace win;
using cl::testing::TempDirectory;

TEST(FileSystem, AttributesShowReadOnlyHiddenDirectoryAndArchive) {
  TempDirectory dir;
  dir.Write("plain", "x");
  dir.Write(".dot", "x");
  dir.Write("ro", "x");
  chmod((dir / "ro").c_str(), 0444);
  EXPECT_EQ(GetFileAttributes(dir / "plain"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(GetFileAttributes(dir / ".dot"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(GetFileAttributes(dir / "ro"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(GetFileAttributes(dir.Path().string()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributes(dir / "none"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), 2u);
  EXPECT_EQ(GetFileAttributes(dir / "nodir/none"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), 3u);

  EXPECT_TRUE(SetFileAttributes(dir / "plain", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributes(dir / "plain") & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(SetFileAttributes(dir / "ro", 0));
  EXPECT_EQ(GetFileAttributes(dir / "ro"), FILE_ATTRIBUTE_ARCHIVE);
}

TEST(FileSystem, ReadOnlyFileIsNotDeletedEvenByRoot) {
  TempDirectory dir;
  dir.Write("ro", "x");
  chmod((dir / "ro").c_str(), 0444);
  EXPECT_FALSE(DeleteFile(dir / "ro"));
  EXPECT_EQ(GetLastError(), 5u);
  EXPECT_TRUE(std::filesystem::exists(dir / "ro"));
  EXPECT_FALSE(DeleteFile(dir / "none"));
  EXPECT_EQ(GetLastError(), 2u);
}

TEST(FileSystem, DeleteEmptyFileKeepsAFileWithBytesOrHeldOpen) {
  TempDirectory dir;
  dir.Write("empty", "");
  dir.Write("full", "line\r\n");
  dir.Write("held", "");
  std::filesystem::create_directory(dir / "sub");
  const HANDLE h = CreateFile(dir / "held", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  struct Case {
    const char* name;
    bool deleted;
    std::uint32_t error;
  };
  for (const Case& c : {Case{"full", false, 5}, Case{"held", false, 32}, Case{"sub", false, 5},
                        Case{"none", false, 2}, Case{"EMPTY", true, 0}}) {
    EXPECT_EQ(DeleteEmptyFile(dir / c.name), c.deleted) << c.name;
    if (!c.deleted) {
      EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
  }
  CloseHandle(h);
  EXPECT_FALSE(std::filesystem::exists(dir / "empty"));
  EXPECT_EQ(dir.Read("full"), "line\r\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "held"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));
}

TEST(FileSystem, FileHeldOpenCannotBeDeletedOrRenamed) {
  TempDirectory dir;
  dir.Write("f", "x");
  const HANDLE h = CreateFile(dir / "f", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(DeleteFile(dir / "f"));
  EXPECT_EQ(GetLastError(), 32u);
  EXPECT_FALSE(MoveFile(dir / "f", dir / "g"));
  EXPECT_EQ(GetLastError(), 32u);
  dir.Write("other", "o");
  EXPECT_FALSE(MoveFileReplacing(dir / "other", dir / "F"));  // the target is held too
  EXPECT_EQ(GetLastError(), 32u);
  CloseHandle(h);
  EXPECT_TRUE(MoveFile(dir / "f", dir / "g"));
  EXPECT_TRUE(DeleteFile(dir / "G"));
}

TEST(FileSystem, NoHandleOpensWhileAFileIsClaimedForRemoval) {
  TempDirectory dir;
  dir.Write("f", "x");
  {
    const RemovalClaim claim(dir / "f");
    EXPECT_FALSE(claim.Held());
    EXPECT_EQ(CreateFile(dir / "f", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         OPEN_EXISTING),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), 32u);
  }
  const HANDLE h = CreateFile(dir / "f", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(RemovalClaim(dir / "f").Held());
  CloseHandle(h);
}

TEST(FileSystem, MoveRefusesAnExistingTargetWithOneEightyThreeUnlessReplacing) {
  TempDirectory dir;
  dir.Write("a", "A");
  dir.Write("b", "B");
  EXPECT_FALSE(MoveFile(dir / "a", dir / "b"));
  EXPECT_EQ(GetLastError(), 183u);
  EXPECT_EQ(dir.Read("b"), "B");
  EXPECT_TRUE(MoveFileReplacing(dir / "a", dir / "b"));
  EXPECT_EQ(dir.Read("b"), "A");
  EXPECT_FALSE(std::filesystem::exists(dir / "a"));
  // A case-only rename of the same entry is allowed.
  EXPECT_TRUE(MoveFile(dir / "b", dir / "B"));
  EXPECT_EQ(dir.Read("B"), "A");
}

TEST(FileSystem, DirectoriesAreMadeAndRemoved) {
  TempDirectory dir;
  EXPECT_TRUE(CreateDirectory(dir / "d"));
  EXPECT_FALSE(CreateDirectory(dir / "D"));  // resolves to the existing one
  EXPECT_EQ(GetLastError(), 183u);
  EXPECT_FALSE(CreateDirectory(dir / "x/y"));
  EXPECT_EQ(GetLastError(), 3u);
  dir.Write("d/f", "1");
  EXPECT_FALSE(RemoveDirectory(dir / "d"));
  EXPECT_EQ(GetLastError(), 145u);
  EXPECT_FALSE(DeleteFile(dir / "d"));
  EXPECT_EQ(GetLastError(), 5u);
  EXPECT_TRUE(DeleteFile(dir / "d/f"));
  EXPECT_TRUE(RemoveDirectory(dir / "d"));
}

TEST(FileSystem, CurrentDirectoryComesBackAsTheSystemsName) {
  TempDirectory dir;
  std::filesystem::create_directory(dir.Path() / "\xC4\x8D");  // č
  const auto before = std::filesystem::current_path();
  ASSERT_TRUE(SetCurrentDirectory(dir / "\xC8"));  // Č finds č
  EXPECT_EQ(GetCurrentDirectory(), std::filesystem::canonical(dir.Path()).string() + "/\xE8");
  std::filesystem::current_path(before);
}

}  // namespace
