#include "dialogs/config_font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "file_bytes.h"

namespace {

TEST(ConfigFont, FaceSizeAndStyleFromTheConfiguration) {
  cl::testing::TempDirectory dir;
  std::filesystem::create_directories(dir / "");
  std::ofstream(dir / "brancfg.ini", std::ios::binary) << "[Config]\r\nFont11=Arial, 12, 3\r\n";
  setenv("BRANNIK_WINDIR", (dir / "").c_str(), 1);
  cl::TFont configured;
  dlg::LoadFontFromConfig(11, configured);
  cl::TFont fallback;
  fallback.SetStyle(cl::fsUnderline);
  dlg::LoadFontFromConfig(12, fallback);
  unsetenv("BRANNIK_WINDIR");

  EXPECT_EQ(configured.Name(), "Arial");
  EXPECT_EQ(configured.Size(), 12);
  EXPECT_EQ(configured.Style(), cl::fsBold | cl::fsItalic);
  // A font never configured is the library's default, plain.
  EXPECT_EQ(fallback.Name(), "MS Sans Serif");
  EXPECT_EQ(fallback.Size(), 8);
  EXPECT_EQ(fallback.Style(), 0);
}

}  // namespace
