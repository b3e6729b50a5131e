#include "platform/core/file_handle.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/core/file_system.h"
#include "platform/core/last_error.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

using namespace win;
using cl::testing::TempDirectory;

constexpr std::uint32_t readWrite = GENERIC_READ | GENERIC_WRITE;
constexpr std::uint32_t shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

HANDLE Open(const std::string& name, std::uint32_t access, std::uint32_t share) {
  return CreateFile(name, access, share, OPEN_EXISTING);
}

TEST(FileHandle, HandlesAreDescriptorsFromFiveUpClosedOnExec) {
  TempDirectory dir;
  dir.Write("a", "x");
  // Free the low descriptors so a plain open would have taken one of them.
  const HANDLE h = Open(dir / "a", GENERIC_READ, shareAll);
  ASSERT_GE(h, 5);
  EXPECT_EQ(fcntl(h, F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
  EXPECT_TRUE(CloseHandle(h));
}

TEST(FileHandle, MissingFileGivesTwoAndMissingDirectoryThree) {
  TempDirectory dir;
  SetLastError(0);
  EXPECT_EQ(Open(dir / "none", GENERIC_READ, shareAll), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), 2u);
  EXPECT_EQ(Open(dir / "nodir/none", GENERIC_READ, shareAll), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), 3u);
  EXPECT_EQ(CreateFile(dir / "nodir/new", readWrite, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), 3u);
}

TEST(FileHandle, CreateNewOnExistingFileGivesEighty) {
  TempDirectory dir;
  dir.Write("a", "x");
  EXPECT_EQ(CreateFile(dir / "a", readWrite, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), 80u);
}

TEST(FileHandle, OpeningADirectoryIsDenied) {
  TempDirectory dir;
  EXPECT_EQ(Open(dir.Path().string(), GENERIC_READ, shareAll), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), 5u);
}

// Which second open the first handle's access and sharing allow.
TEST(FileSharing, SecondOpenInTheSameProcessFollowsTheFirstHandlesSharing) {
  struct Case {
    std::uint32_t firstAccess, firstShare, secondAccess, secondShare;
    bool allowed;
  };
  const Case cases[] = {
      {GENERIC_READ, shareAll, GENERIC_READ, shareAll, true},
      {GENERIC_READ, shareAll, readWrite, shareAll, true},
      {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, shareAll, false},  // first denies write
      {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, shareAll, true},
      {GENERIC_WRITE, FILE_SHARE_WRITE, GENERIC_READ, shareAll, false},  // first denies read
      {GENERIC_WRITE, FILE_SHARE_WRITE, GENERIC_WRITE, shareAll, true},
      {readWrite, 0, GENERIC_READ, shareAll, false},                      // exclusive
      {GENERIC_READ, shareAll, GENERIC_READ, FILE_SHARE_WRITE, false},    // second denies read
      {GENERIC_WRITE, shareAll, GENERIC_READ, FILE_SHARE_READ, false},    // second denies write
      {GENERIC_READ, shareAll, GENERIC_READ, FILE_SHARE_READ, true},
  };
  TempDirectory dir;
  dir.Write("f", "data");
  for (const auto& c : cases) {
    const HANDLE first = Open(dir / "f", c.firstAccess, c.firstShare);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    SetLastError(0);
    HANDLE second = Open(dir / "f", c.secondAccess, c.secondShare);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.allowed)
        << std::hex << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess << "/"
        << c.secondShare;
    if (second != INVALID_HANDLE_VALUE) {
      CloseHandle(second);
    } else {
      EXPECT_EQ(GetLastError(), 32u);
    }
    CloseHandle(first);
  }
  // Closing the handle gives the file back.
  const HANDLE again = Open(dir / "f", readWrite, 0);
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  CloseHandle(again);
}

TEST(FileSharing, AHandleInAnotherProcessDeniesAccessItsSharingExcludes) {
  TempDirectory dir;
  dir.Write("f", "data");
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Reads and denies writing to others.
    const HANDLE h = Open(dir / "f", GENERIC_READ, FILE_SHARE_READ);
    const char ok = h != INVALID_HANDLE_VALUE ? 'y' : 'n';
    [[maybe_unused]] auto n = write(ready[1], &ok, 1);
    char wait;
    n = read(done[0], &wait, 1);
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  SetLastError(0);
  EXPECT_EQ(Open(dir / "f", readWrite, shareAll), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), 32u);
  // Truncation is refused too, and leaves the data alone.
  EXPECT_EQ(CreateFile(dir / "f", readWrite, shareAll, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(dir.Read("f"), "data");
  const HANDLE reader = Open(dir / "f", GENERIC_READ, shareAll);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  EXPECT_EQ(Open(dir / "f", GENERIC_READ, FILE_SHARE_WRITE), INVALID_HANDLE_VALUE);
  // Nor can the file be deleted or renamed while the other process holds it.
  SetLastError(0);
  EXPECT_FALSE(DeleteFile(dir / "f"));
  EXPECT_EQ(GetLastError(), 32u);
  EXPECT_FALSE(MoveFile(dir / "f", dir / "g"));
  EXPECT_EQ(GetLastError(), 32u);
  EXPECT_EQ(dir.Read("f"), "data");

  ASSERT_EQ(write(done[1], "x", 1), 1);
  int status = 0;
  waitpid(child, &status, 0);
  // The child's handle died with it.
  const HANDLE writer = Open(dir / "f", readWrite, 0);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE);
  CloseHandle(writer);
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

TEST(FileHandle, ReadOnlyFileIsRefusedForWritingEvenToRoot) {
  TempDirectory dir;
  dir.Write("ro", "keep");
  chmod((dir / "ro").c_str(), 0444);
  EXPECT_EQ(Open(dir / "ro", GENERIC_WRITE, shareAll), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), 5u);
  EXPECT_EQ(CreateFile(dir / "ro", readWrite, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(dir.Read("ro"), "keep");
  const HANDLE reader = Open(dir / "ro", GENERIC_READ, shareAll);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  // Writing through a handle opened for reading is denied, not a bad handle.
  std::uint32_t done = 9;
  EXPECT_FALSE(WriteFile(reader, "x", 1, &done));
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(GetLastError(), 5u);
  CloseHandle(reader);
  EXPECT_EQ(dir.Read("ro"), "keep");
}

TEST(FileHandle, ReadWriteSeekAndTruncate) {
  TempDirectory dir;
  const HANDLE h = CreateFile(dir / "f", readWrite, 0, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::uint32_t done = 0;
  EXPECT_TRUE(WriteFile(h, "hello world", 11, &done));
  EXPECT_EQ(done, 11u);
  std::int64_t pos = -1;
  EXPECT_TRUE(SetFilePointer(h, -5, FILE_END, &pos));
  EXPECT_EQ(pos, 6);
  char buffer[16] = {};
  EXPECT_TRUE(ReadFile(h, buffer, 16, &done));
  EXPECT_EQ(std::string(buffer, done), "world");
  // A position before the start is refused and leaves the position.
  EXPECT_FALSE(SetFilePointer(h, -100, FILE_CURRENT, &pos));
  EXPECT_EQ(GetLastError(), 131u);
  EXPECT_TRUE(SetFilePointer(h, 0, FILE_CURRENT, &pos));
  EXPECT_EQ(pos, 11);
  EXPECT_TRUE(SetFilePointer(h, 5, FILE_BEGIN, nullptr));
  EXPECT_TRUE(SetEndOfFile(h));
  std::int64_t size = 0;
  EXPECT_TRUE(GetFileSize(h, &size));
  EXPECT_EQ(size, 5);
  CloseHandle(h);
  EXPECT_EQ(dir.Read("f"), "hello");
}

TEST(FileHandle, FileTimeRoundTripsInTwoSecondSteps) {
  TempDirectory dir;
  const HANDLE h = CreateFile(dir / "f", readWrite, 0, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  // 14 March 2003 10:20:31 reads back with 30 seconds.
  const std::uint32_t stamp = (23u << 25) | (3u << 21) | (14u << 16) | (10u << 11) | (20u << 5) | 15u;
  EXPECT_TRUE(SetFileTime(h, stamp));
  std::uint32_t read = 0;
  EXPECT_TRUE(GetFileTime(h, &read));
  EXPECT_EQ(read, stamp);
  EXPECT_FALSE(SetFileTime(h, (23u << 25) | (13u << 21) | (1u << 16)));  // month 13
  CloseHandle(h);
}

TEST(FileHandle, ClosingAnInvalidHandleFails) {
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
  EXPECT_EQ(GetLastError(), 6u);
}

// A zeroed handle variable or a standard stream's number never reaches the
// process's own descriptors 0 to 4: every call fails with 6.
TEST(FileHandle, NumbersBelowFiveAreNoHandles) {
  struct Case {
    const char* call;
    bool (*succeeds)(HANDLE);
  };
  const Case cases[] = {
      {"ReadFile", [](HANDLE h) { char b[1]; std::uint32_t n = 9; return ReadFile(h, b, 1, &n) || n != 0; }},
      {"WriteFile", [](HANDLE h) { std::uint32_t n = 9; return WriteFile(h, "x", 1, &n) || n != 0; }},
      {"SetFilePointer", [](HANDLE h) { return SetFilePointer(h, 0, FILE_CURRENT, nullptr); }},
      {"SetEndOfFile", [](HANDLE h) { return SetEndOfFile(h); }},
      {"FlushFileBuffers", [](HANDLE h) { return FlushFileBuffers(h); }},
      {"GetFileSize", [](HANDLE h) { std::int64_t size = 0; return GetFileSize(h, &size); }},
      {"GetFileTime", [](HANDLE h) { std::uint32_t t = 0; return GetFileTime(h, &t); }},
      {"SetFileTime", [](HANDLE h) { return SetFileTime(h, (23u << 25) | (3u << 21) | (14u << 16)); }},
      {"CloseHandle", [](HANDLE h) { return CloseHandle(h); }},
      {"SameFile", [](HANDLE h) { return SameFile(h, h); }},
  };
  for (const HANDLE h : {INVALID_HANDLE_VALUE, 0, 1, 2, 3, 4}) {
    for (const Case& c : cases) {
      SetLastError(0);
      EXPECT_FALSE(c.succeeds(h)) << c.call << "(" << h << ")";
      EXPECT_EQ(GetLastError(), 6u) << c.call << "(" << h << ")";
    }
  }
  EXPECT_NE(fcntl(STDERR_FILENO, F_GETFD), -1);  // still open
}

}  // namespace

namespace {

TEST(FileHandle, WriteOnlyHandleRefusesReads) {
  TempDirectory dir;
  dir.Write("f", "data");
  const win::HANDLE h = win::CreateFile(dir / "f", win::GENERIC_WRITE, 0, win::OPEN_EXISTING);
  ASSERT_NE(h, win::INVALID_HANDLE_VALUE);
  char buffer[4];
  std::uint32_t done = 9;
  EXPECT_FALSE(win::ReadFile(h, buffer, 4, &done));
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(win::GetLastError(), 5u);
  EXPECT_TRUE(win::WriteFile(h, "x", 1, &done));
  win::CloseHandle(h);
  // A later handle on the same descriptor number reads again.
  const win::HANDLE r = win::CreateFile(dir / "f", win::GENERIC_READ, 0, win::OPEN_EXISTING);
  EXPECT_TRUE(win::ReadFile(r, buffer, 4, &done));
  EXPECT_EQ(std::string(buffer, done), "xata");
  win::CloseHandle(r);
}

}  // namespace
