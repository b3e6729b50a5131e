// The utility routines as the browser uses them.
#include "utility/browser_utility.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/core/short_string.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

TEST(BrowserUtility, StandardHandlesAreNeitherValidNorClosed) {
  for (utl::Handle h = 0; h <= 4; ++h) {
    EXPECT_FALSE(utl::ISHANDLEVALID(h, utl::browserHandles)) << h;
    utl::Handle variable = h;
    EXPECT_FALSE(utl::CLOSEHANDLE(variable, utl::browserHandles));
    EXPECT_EQ(variable, -1);
  }
  EXPECT_NE(fcntl(STDERR_FILENO, F_GETFD), -1);  // still open
  EXPECT_FALSE(utl::ISHANDLEVALID(-1, utl::browserHandles));
  EXPECT_TRUE(utl::ISHANDLEVALID(5, utl::browserHandles));
}

TEST(BrowserUtility, OnlyTheBrowsersPolicyTakesTheStandardHandlesForNone) {
  // One build serves the library and the browser; the policy alone differs.
  struct Case {
    utl::StandardHandles standard;
    bool valid;
    std::uint32_t errorAfterClose;  // the layer refuses to close a standard handle
  };
  const Case cases[] = {
      {utl::StandardHandles::AreFiles, true, 6},
      {utl::StandardHandles::AreNone, false, 0},
  };
  for (const Case& c : cases) {
    const int standard = static_cast<int>(c.standard);
    EXPECT_EQ(utl::ISHANDLEVALID(STDERR_FILENO, c.standard), c.valid) << standard;
    win::SetLastError(0);
    utl::Handle variable = STDERR_FILENO;
    EXPECT_FALSE(utl::CLOSEHANDLE(variable, c.standard)) << standard;
    EXPECT_EQ(variable, -1) << standard;
    EXPECT_EQ(win::GetLastError(), c.errorAfterClose) << standard;
    EXPECT_NE(fcntl(STDERR_FILENO, F_GETFD), -1) << standard;
  }
}

TEST(BrowserUtility, SaveCopiesTheDocumentThroughTheBrowsersRoutines) {
  cl::testing::TempDirectory dir;
  dir.Write("page.htm", "<html>page</html>");
  // What Save does: delete the old copy, copy the source.
  EXPECT_TRUE(utl::DELETEANYWAY(dir / "saved/page.htm"));
  EXPECT_FALSE(utl::COPYFILE(dir / "page.htm", dir / "saved/copies/page.htm"));
  EXPECT_EQ(dir.Read("saved/copies/page.htm"), "<html>page</html>");
  EXPECT_TRUE(utl::DIREXISTS(dir / "saved"));
  utl::Handle h = utl::noHandle;
  EXPECT_FALSE(utl::OPENHANDLE(dir / "saved/copies/page.htm", utl::modeReadDenyNone, h));
  EXPECT_TRUE(utl::ISHANDLEVALID(h));
  std::int32_t size = 0;
  EXPECT_FALSE(utl::SEEKHANDLEEND(h, size));
  EXPECT_EQ(size, 17);
  utl::CLOSEHANDLE(h);
  EXPECT_EQ(h, utl::noHandle);
}

TEST(BrowserUtility, MakeDirectoryMakesMissingParentsWithoutChangingDirectory) {
  cl::testing::TempDirectory dir;
  const auto before = std::filesystem::current_path();
  EXPECT_FALSE(utl::MAKEDIRECTORY(dir / "a\\b\\c"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "a/b/c"));
  EXPECT_EQ(std::filesystem::current_path(), before);
  dir.Write("file", "x");
  EXPECT_TRUE(utl::MAKEDIRECTORY(dir / "file/sub"));
  EXPECT_TRUE(utl::MAKEDIRECTORY(dir / "a"));
}

TEST(BrowserUtility, StringAndPathRoutinesAreThere) {
  EXPECT_EQ(utl::STRTRIM("  x  "), "x");
  EXPECT_EQ(utl::STRLBO("  x  "), "x  ");
  EXPECT_EQ(utl::STRTBO("  x  "), "  x");
  const utl::CutResult cut = utl::STRCUTBTO(',', "a , b , c");
  EXPECT_EQ(cut.head, "a");
  EXPECT_EQ(cut.rest, "b , c");
  EXPECT_EQ(utl::STRACC("C:\\dir", '\\'), "C:\\dir\\");
  EXPECT_EQ(utl::STRDCC("C:\\dir\\", '\\'), "C:\\dir");
  EXPECT_EQ(utl::IMIN(3, -2), -2);
  EXPECT_EQ(utl::FSPLIT("C:\\d\\report.html").extension, ".htm");
  EXPECT_EQ(utl::DIRNAME("C:\\d\\x.txt"), "C:\\d\\");
}

}  // namespace
