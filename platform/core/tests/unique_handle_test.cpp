#include "platform/core/unique_handle.h"

#include <unistd.h>

#include <utility>

#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

using namespace win;
using cl::testing::TempDirectory;

constexpr std::uint32_t readWrite = GENERIC_READ | GENERIC_WRITE;

// An exclusive open succeeds only while no other handle holds the file.
bool FileIsFree(const std::string& name) {
  const HANDLE probe = CreateFile(name, readWrite, 0, OPEN_EXISTING);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}

TEST(UniqueHandle, TheLastOwnerClosesTheHandleOnLeavingItsScope) {
  TempDirectory dir;
  dir.Write("f", "x");
  const std::string name = dir / "f";
  {
    UniqueHandle first(CreateFile(name, GENERIC_READ, 0, OPEN_EXISTING));
    ASSERT_TRUE(first.IsOpen());
    {
      const UniqueHandle second(std::move(first));
      EXPECT_FALSE(first.IsOpen());
      EXPECT_FALSE(FileIsFree(name));
    }
    EXPECT_TRUE(FileIsFree(name));
  }
  UniqueHandle filled;
  filled.Slot() = CreateFile(name, GENERIC_READ, 0, OPEN_EXISTING);
  EXPECT_FALSE(FileIsFree(name));
  EXPECT_TRUE(filled.Close());
  EXPECT_FALSE(filled.IsOpen());
  EXPECT_TRUE(FileIsFree(name));
  EXPECT_TRUE(filled.Close()) << "closing nothing is no failure";
}

// A descriptor closed behind the owner's back makes the system's close fail.
TEST(UniqueHandle, AFailedCloseIsReportedByCloseButKeepsTheLastErrorOnTheWayOut) {
  TempDirectory dir;
  dir.Write("f", "x");
  {
    UniqueHandle handle(CreateFile(dir / "f", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    ASSERT_TRUE(handle.IsOpen());
    ::close(handle.Get());
    EXPECT_FALSE(handle.Close());
    EXPECT_FALSE(handle.IsOpen());
  }
  {
    const UniqueHandle handle(CreateFile(dir / "f", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    ASSERT_TRUE(handle.IsOpen());
    ::close(handle.Get());
    SetLastError(ERROR_FILE_NOT_FOUND);
  }
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
