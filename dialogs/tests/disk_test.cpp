#include "dialogs/disk.h"

#include <gtest/gtest.h>

namespace {

using dlg::tDisk;

struct LayoutCase {
  const char* programDirectory;
  const char* currentDirectory;
  std::optional<std::string> bku;
  const char* base;
  const char* configDir;
};

TEST(DiskLayout, BaseAndConfigurationDirectory) {
  const LayoutCase cases[] = {
      {"/opt/suite/BIN/", "/cur/", std::nullopt, "/opt/suite/", "/opt/suite/CFG/"},
      // Case of the directory is kept; bin in any case counts as BIN.
      {"/opt/Suite/bin/", "/cur/", std::nullopt, "/opt/Suite/", "/opt/Suite/CFG/"},
      {"/opt/suite/Bin", "/cur/", std::nullopt, "/opt/suite/", "/opt/suite/CFG/"},
      // Only a whole component named BIN: "cabin" is not one.
      {"/opt/cabin/", "/cur/", std::nullopt, "/win/", "/win/CFG/"},
      {"/opt/suite/prog/", "/cur/", std::nullopt, "/win/", "/win/CFG/"},
      // No program directory: the current one serves.
      {"", "/srv/x/BIN", std::nullopt, "/srv/x/", "/srv/x/CFG/"},
      // BKU: blanks around it go, a missing separator is added.
      {"/opt/suite/BIN/", "/cur/", std::string("  /x/cfg/  "), "/opt/suite/", "/x/cfg/"},
      {"/opt/suite/BIN/", "/cur/", std::string("/x/cfg"), "/opt/suite/", "/x/cfg/"},
      {"/opt/suite/BIN/", "/cur/", std::string("   "), "/opt/suite/", "/opt/suite/CFG/"},
  };
  for (const auto& c : cases) {
    const tDisk disk(c.programDirectory, c.currentDirectory, "/win", c.bku, "PROG");
    SCOPED_TRACE(c.programDirectory);
    EXPECT_EQ(disk.Base(), c.base);
    EXPECT_EQ(disk.ConfigDirName(), c.configDir);
  }
}

TEST(DiskLayout, LongDirectoryIsNotCut) {
  const std::string deep = "/" + std::string(100, 'd') + "/BIN/";
  const tDisk disk(deep, "", "/win", std::nullopt, "PROG");
  EXPECT_EQ(disk.Base(), "/" + std::string(100, 'd') + "/");
}

TEST(DiskLayout, FileNames) {
  const tDisk disk("/s/BIN/", "", "/win", std::string("/x/cfg"), "browser");
  EXPECT_EQ(disk.ListDir(), "/s/LST/");
  EXPECT_EQ(disk.StatesListFile(), "/s/LST/states.lst");
  EXPECT_EQ(disk.StationListBase(), "/s/LST/BKlst");
  EXPECT_EQ(disk.HeaderWidthsFile(), "/x/cfg/browser.hdr");
  EXPECT_EQ(disk.ConfigFile("NAME.PHN"), "/x/cfg/NAME.PHN");
  // A country with and without its "+" names one file.
  EXPECT_EQ(disk.AreaListFile("+420"), "/s/LST/tto420.lst");
  EXPECT_EQ(disk.AreaListFile(" 420 "), "/s/LST/tto420.lst");
}

TEST(DiskLayout, HeaderFileTakesTheFirstTwelveCharactersOfTheProgramName) {
  struct Case {
    const char* programName;
    const char* headerFile;
  };
  const Case cases[] = {
      {"abcdefghijkl", "/x/cfg/abcdefghijkl.hdr"},
      {"abcdefghijklm", "/x/cfg/abcdefghijkl.hdr"},
      {"dialog_gallery", "/x/cfg/dialog_galle.hdr"},
  };
  for (const Case& c : cases) {
    const tDisk disk("/s/BIN/", "", "/win", std::string("/x/cfg/"), c.programName);
    EXPECT_EQ(disk.HeaderWidthsFile(), c.headerFile) << c.programName;
  }
}

}  // namespace
