#include "platform/core/file_names.h"

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/core/file_handle.h"
#include "platform/core/last_error.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

using namespace win;
using cl::testing::TempDirectory;

// The directory in the system's own form: backslashes and the C: drive.
std::string Dos(const std::string& native) {
  std::string s = "C:" + native;
  for (auto& c : s)
    if (c == '/') c = '\\';
  return s;
}

TEST(FileNames, BackslashesAndDriveCBecomeNativePaths) {
  EXPECT_EQ(NativeName("C:\\usr\\x.txt"), "/usr/x.txt");
  EXPECT_EQ(NativeName("c:/usr/x.txt"), "/usr/x.txt");
  EXPECT_EQ(NativeName("rel\\x"), "rel/x");
}

TEST(FileNames, OtherDrivesComeFromTheEnvironmentOrFailWithThree) {
  TempDirectory dir;
  dir.Write("inner/f", "1");
  setenv("BRANNIK_DRIVE_Q", dir.Path().c_str(), 1);
  EXPECT_EQ(NativeName("q:\\inner\\f"), dir / "inner/f");
  unsetenv("BRANNIK_DRIVE_Q");
  SetLastError(0);
  EXPECT_EQ(NativeName("Q:\\inner\\f"), std::nullopt);
  EXPECT_EQ(GetLastError(), 3u);
}

TEST(FileNames, ComponentsResolveWithoutRegardToCase) {
  TempDirectory dir;
  dir.Write("Data/Report.TXT", "r");
  EXPECT_EQ(NativeName(Dos(dir.Path().string()) + "\\DATA\\report.txt"), dir / "Data/Report.TXT");
  // Letters with diacritics fold too: "ŠKODA" finds "škoda" (code page 1250 in, UTF-8 on disk).
  dir.Write("\xC5\xA1koda", "s");
  EXPECT_EQ(NativeName(dir / "\x8AKODA"), dir / "\xC5\xA1koda");
}

TEST(FileNames, ExactNameWinsElseFirstMatchInByteOrder) {
  TempDirectory dir;
  dir.Write("a.txt", "lower");
  dir.Write("A.TXT", "upper");
  EXPECT_EQ(NativeName(dir / "a.txt"), dir / "a.txt");
  EXPECT_EQ(NativeName(dir / "A.TXT"), dir / "A.TXT");
  EXPECT_EQ(NativeName(dir / "A.txt"), dir / "A.TXT");  // 'A' sorts before 'a'
}

TEST(FileNames, NewFilesKeepTheNameAsGivenBelowResolvedDirectories) {
  TempDirectory dir;
  std::filesystem::create_directory(dir.Path() / "DIR");
  const HANDLE h = CreateFile(Dos(dir.Path().string()) + "\\dir\\NewFile.Txt",
                              GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "DIR" / "NewFile.Txt"));
}

TEST(FileNames, NamesCodePage1250CannotHoldAreInvisible) {
  EXPECT_EQ(SystemName("/tmp/\xC4\x8D"), "/tmp/\xE8");  // č
  EXPECT_EQ(SystemName("/tmp/\xE4\xB8\xAD"), std::nullopt);
  TempDirectory dir;
  dir.Write("\xE4\xB8\xAD", "x");  // no case-insensitive match can reach it
  EXPECT_EQ(NativeName(dir / "?"), dir / "?");
}

TEST(FileNames, CaseFoldingCoversCp1250Letters) {
  EXPECT_TRUE(SameNameIgnoringCase("\xC8\xD8", "\xE8\xF8"));  // ČŘ / čř
  EXPECT_TRUE(SameNameIgnoringCase("\xA3", "\xB3"));          // Ł / ł
  EXPECT_FALSE(SameNameIgnoringCase("\xD7", "\xF7"));         // × and ÷ are no letters
  EXPECT_FALSE(SameNameIgnoringCase("ab", "abc"));
}

}  // namespace
