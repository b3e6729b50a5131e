// The browser's own build of the utility routines.
#include "utility/browser_utility.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "../scratch_directory.h"

namespace {

TEST(BrowserUtility, StandardHandlesAreNeitherValidNorClosed) {
  for (utl::Handle h = 0; h <= 4; ++h) {
    EXPECT_FALSE(utl::ISHANDLEVALID(h)) << h;
    utl::Handle variable = h;
    EXPECT_FALSE(utl::CLOSEHANDLE(variable));
    EXPECT_EQ(variable, -1);
  }
  EXPECT_NE(fcntl(STDERR_FILENO, F_GETFD), -1);  // still open
  EXPECT_FALSE(utl::ISHANDLEVALID(-1));
  EXPECT_TRUE(utl::ISHANDLEVALID(5));
}

TEST(BrowserUtility, SaveCopiesTheDocumentThroughTheBrowsersRoutines) {
  ScratchDirectory dir;
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
  ScratchDirectory dir;
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
