#pragma once

// The recipient chooser's world: the test program's directory layout, its
// list and configuration directories refilled for each test with the sample
// station lists.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "dialogs/disk.h"
#include "dialogs/suite_texts.h"
#include "dialogs/tests/library_layout.h"
#include "utility/code_pages.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/test_support/gui_test.h"
#include "suite/branlst/branlst.h"

class ChooserWorld : public ::testing::Test {
 protected:
  static const std::string& Base() { return LibraryLayout::Base(); }

  void SetUp() override {
    cl::testing::EnsureGuiTestApplication();
    // What the library's load hook does: the day columns' weekday marks.
    utl::LoadTextTables(dlg::SuiteText);
    namespace fs = std::filesystem;
    const fs::path base = Base();
    setenv("BRANNIK_WINDIR", base.c_str(), 1);
    std::error_code ignored;
    fs::remove_all(base / "LST", ignored);
    fs::remove_all(ConfigDir(), ignored);
    fs::remove(base / "brancfg.ini", ignored);
    fs::create_directories(ConfigDir());
    fs::copy(fs::path(BRANNIK_SOURCE_ROOT) / "suite/data/lst", base / "LST");
    SIDCCLOSEFILES();
  }
  void TearDown() override {
    SIDCCLOSEFILES();
    cl::testing::ProcessEvents();
  }

  static std::filesystem::path ConfigDir() { return dlg::GlobalDisk().ConfigDirName(); }
  static std::filesystem::path ListDir() { return std::filesystem::path(Base()) / "LST"; }
  static void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  }
};
