#include <gtest/gtest.h>

#include <string>

#include "browser/version_info.h"
#include "platform/core/places.h"
#include "platform/core/test_support/elf_file.h"
#include "platform/core/test_support/temp_directory.h"

using brw::GetVersionStrings;
using brw::tVersionInfo;

TEST(VersionInfo, TheProgramsOwnBlockGivesItsVersionAndRelease) {
  std::string version = "x";
  std::string released = "y";
  ASSERT_TRUE(GetVersionStrings(win::GetModuleFileName(), version, released));
  EXPECT_EQ(version, "3.00.001");
  EXPECT_EQ(released, "25.10.1999 16:30");

  const tVersionInfo info(win::GetModuleFileName());
  EXPECT_EQ(info.TranslationKey(), "040504e2");
  EXPECT_EQ(info.GetFileVersionNumber(), 0x0003000000010000u);
  EXPECT_EQ(info.GetVersionString("InternalName"), "BROWSER");
  EXPECT_EQ(info.GetVersionString("ProductName"), "Brannik\xAE Shell 3.xx");
  EXPECT_EQ(info.GetVersionString("Comments"), "");
}

TEST(VersionInfo, FilesWithoutAUsableBlockGiveFalseAndEmptyStrings) {
  const cl::testing::TempDirectory dir;
  dir.Write("plain.txt", "no block here");
  dir.Write("empty-block", ElfFile("brannik_version", "TRANSLATION 0405 04E2\nBLOCK 040504E2\nReleased=1.1.2000\n"));
  for (const std::string& file : {dir / "plain.txt", dir / "missing.exe", dir / "empty-block"}) {
    std::string version = "old";
    std::string released = "old";
    EXPECT_FALSE(GetVersionStrings(file, version, released)) << file;
    EXPECT_EQ(version, "") << file;
    EXPECT_EQ(released, "") << file;
  }
  const tVersionInfo none(dir / "plain.txt");
  EXPECT_FALSE(none.IsValid());
  EXPECT_EQ(none.GetFixedInfo(), nullptr);
  EXPECT_EQ(none.GetTranslation(), nullptr);
  EXPECT_EQ(none.TranslationKey(), "");
  EXPECT_EQ(none.GetFileVersion(), "");
}

TEST(VersionInfo, WithoutAFileVersionStringTheFixedVersionIsUsed) {
  const cl::testing::TempDirectory dir;
  dir.Write("prog", ElfFile("brannik_version",
                            "FILEVERSION 3.0.1.0\nTRANSLATION 0409 04B0\nBLOCK 040904B0\nReleased=today\n"));
  std::string version;
  std::string released;
  ASSERT_TRUE(GetVersionStrings(dir / "prog", version, released));
  EXPECT_EQ(version, "3.0.1.0");
  EXPECT_EQ(released, "today");
  EXPECT_EQ(tVersionInfo(dir / "prog").TranslationKey(), "040904b0");
}

TEST(VersionInfo, StringsComeFromTheFirstTranslationsTable) {
  const cl::testing::TempDirectory dir;
  dir.Write("prog", ElfFile("brannik_version",
                            "TRANSLATION 0405 04E2\nTRANSLATION 0409 04B0\n"
                            "BLOCK 040904B0\nFileVersion=english\nBLOCK 040504E2\nFileVersion=czech\n"));
  EXPECT_EQ(tVersionInfo(dir / "prog").GetFileVersion(), "czech");
}

TEST(VersionInfo, VersionNumbersReadMostSignificantFirst) {
  struct Case {
    std::uint64_t number;
    const char* text;
  } const cases[] = {
      {0, "0.0.0.0"},
      {0x0003000000010000u, "3.0.1.0"},
      {0xFFFF000100020003u, "65535.1.2.3"},
  };
  for (const auto& c : cases) EXPECT_EQ(brw::FormatVersionNumber(c.number), c.text);
}
