// The configuration library as its callers use it, on a profile file in a
// temporary Windows directory.
#include "suite/brancfg/brancfg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/core/test_support/temp_directory.h"
#include "platform/core/test_support/exported_symbols.h"

namespace {

namespace fs = std::filesystem;

class Brancfg : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("BRANNIK_WINDIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("BRANNIK_WINDIR");
  }

  void WriteProfile(const std::string& text) const {
    std::ofstream(dir_ / "brancfg.ini", std::ios::binary) << text;
  }
  std::string ReadProfile() const {
    std::ifstream in(dir_ / "brancfg.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  static std::string GetString(std::uint8_t key) {
    ShortString s;
    s.Assign("stale");
    CFGGETSTRING(key, &s);
    return s.Str();
  }
  static void PutString(std::uint8_t key, const std::string& text) {
    const ShortString s = ShortString::From(text);
    CFGPUTSTRING(key, &s);
  }

  const cl::testing::TempDirectory temp_;
  const fs::path dir_ = temp_.Path();
};

bool operator==(const tPageLayout& a, const tPageLayout& b) {
  return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom &&
         a.width == b.width && a.height == b.height;
}

constexpr tPageLayout a4{20, 20, 20, 20, 210, 297};

TEST_F(Brancfg, KeysNeverWrittenReadAsZeroEmptyOrDefault) {
  for (const std::uint8_t key : {0, 4, 5, 7, 255}) {
    EXPECT_EQ(CFGGETINTEGER(key), 0) << int(key);
    EXPECT_EQ(GetString(key), "") << int(key);
  }
  for (const std::uint8_t id : {51, 52, 53}) {
    tPageLayout layout{1, 2, 3, 4, 5, 6};
    CFGGETPAGELAYOUT(id, &layout);
    EXPECT_TRUE(layout == a4) << int(id);
    tPageLayout fallback{};
    CFGDEFAULTPAGELAYOUT(id, &fallback);
    EXPECT_TRUE(fallback == a4) << int(id);
  }
  EXPECT_FALSE(fs::exists(dir_ / "brancfg.ini")) << "reading must not create the file";
}

TEST_F(Brancfg, IntegersAreKeptPerKey) {
  struct Case {
    std::uint8_t key;
    std::int32_t value;
  };
  const Case cases[] = {{4, 1}, {5, -1}, {6, 2147483647}, {8, -2147483647 - 1}, {9, 0}, {255, 77}};
  for (const Case& c : cases) CFGPUTINTEGER(c.key, c.value);
  for (const Case& c : cases) EXPECT_EQ(CFGGETINTEGER(c.key), c.value) << int(c.key);
  CFGPUTINTEGER(5, 1000);
  EXPECT_EQ(CFGGETINTEGER(5), 1000);
  EXPECT_EQ(CFGGETINTEGER(4), 1);
}

TEST_F(Brancfg, StringsComeBackByteForByte) {
  const std::string cases[] = {
      "C:\\BRANNIK\\CFG\\DOMA.PHN",
      "  blanks around  ",
      "\"quoted\"",
      "100% = 0x25",
      "two\r\nlines",
      "\xC8\xE1st \x9A\xED\xF8ka",  // CP1250 letters
      std::string(255, 'x'),
      "",
  };
  std::uint8_t key = 10;
  for (const std::string& text : cases) PutString(key++, text);
  key = 10;
  for (const std::string& text : cases) EXPECT_EQ(GetString(key++), text);
}

TEST_F(Brancfg, PageLayoutsAreKeptPerId) {
  const tPageLayout text{10, 15, 25, 30, 210, 297}, fax{0, 0, 0, 0, 216, 279};
  CFGPUTPAGELAYOUT(51, &text);
  CFGPUTPAGELAYOUT(52, &fax);
  tPageLayout got{};
  CFGGETPAGELAYOUT(51, &got);
  EXPECT_TRUE(got == text);
  CFGGETPAGELAYOUT(52, &got);
  EXPECT_TRUE(got == fax);
  CFGGETPAGELAYOUT(53, &got);
  EXPECT_TRUE(got == a4);
  CFGDEFAULTPAGELAYOUT(51, &got);
  EXPECT_TRUE(got == a4) << "the default does not follow what was stored";
}

TEST_F(Brancfg, FontItemsComeFromTheProfileOrTheDefault) {
  WriteProfile(
      "[Config]\n"
      "Font11 = Arial CE, 10, 3\n"
      "Font12=An Extremely Long Face Name Beyond 31,12,1\n"
      "Font13=no numbers here\n");
  struct Case {
    std::uint8_t id;
    std::string face;
    std::int32_t size;
    std::uint8_t style;
  };
  const Case cases[] = {
      {11, "Arial CE", 10, 3},
      {12, "An Extremely Long Face Name Bey", 12, 1},
      {13, "MS Sans Serif", 8, 0},
      {14, "MS Sans Serif", 8, 0},
  };
  for (const Case& c : cases) {
    tCfgFontItem item;
    std::memset(&item, 0xAB, sizeof item);
    CFGGETFONTITEM(c.id, &item);
    EXPECT_EQ(std::string(item.face, item.faceLength), c.face) << int(c.id);
    const std::int32_t size = item.size;  // packed field: read by value
    const std::uint8_t style = item.style;
    EXPECT_EQ(size, c.size) << int(c.id);
    EXPECT_EQ(style, c.style) << int(c.id);
  }
}

TEST_F(Brancfg, WritingKeepsTheFilesOtherLines) {
  WriteProfile(
      "; the suite's configuration\n"
      "[Other]\n"
      "Integer4=99\n"
      "[CONFIG]\n"
      "integer4 = 7\n"
      "; a comment\n"
      "Integer4=8\n"
      "[Last]\n"
      "x=y\n");
  EXPECT_EQ(CFGGETINTEGER(4), 7) << "section and key match without case, first match wins";
  // The replaced line keeps the key as the file spelt it.
  CFGPUTINTEGER(4, 12);
  CFGPUTINTEGER(9, 3);
  EXPECT_EQ(CFGGETINTEGER(4), 12);
  EXPECT_EQ(CFGGETINTEGER(9), 3);
  EXPECT_EQ(ReadProfile(),
            "; the suite's configuration\n"
            "[Other]\n"
            "Integer4=99\n"
            "[CONFIG]\n"
            "integer4=12\n"
            "; a comment\n"
            "Integer4=8\n"
            "Integer9=3\n"
            "[Last]\n"
            "x=y\n");
}

TEST_F(Brancfg, TheWindowsDirectoryFallsBackToTheUsersConfigDirectory) {
  unsetenv("BRANNIK_WINDIR");
  setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  CFGPUTINTEGER(4, 5);
  EXPECT_TRUE(fs::exists(dir_ / "brannik" / "brancfg.ini")) << "created on demand";
  EXPECT_EQ(CFGGETINTEGER(4), 5);
  unsetenv("XDG_CONFIG_HOME");
}

TEST_F(Brancfg, NullArgumentsAreIgnored) {
  CFGGETSTRING(1, nullptr);
  CFGPUTSTRING(1, nullptr);
  CFGGETFONTITEM(11, nullptr);
  CFGGETPAGELAYOUT(51, nullptr);
  CFGPUTPAGELAYOUT(51, nullptr);
  CFGDEFAULTPAGELAYOUT(51, nullptr);
  EXPECT_EQ(GetString(1), "");
}

TEST(BrancfgLibrary, ExportsExactlyItsCalls) {
  const std::set<std::string> exported = cl::testing::ExportedSymbols(LIBRARY_PATH);
  const std::set<std::string> calls{"CFGGETINTEGER",    "CFGPUTINTEGER",    "CFGGETSTRING",
                                    "CFGPUTSTRING",     "CFGGETFONTITEM",   "CFGGETPAGELAYOUT",
                                    "CFGPUTPAGELAYOUT", "CFGDEFAULTPAGELAYOUT"};
  EXPECT_EQ(exported, calls);
}

}  // namespace
