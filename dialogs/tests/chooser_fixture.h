#pragma once

// The recipient chooser's world: the suite's directory layout in one
// Windows directory for the whole test program (the library fixes its layout
// once), its list and configuration directories refilled for each test with
// the sample station lists.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "dialogs/disk.h"
#include "dialogs/suite_texts.h"
#include "utility/code_pages.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/test_support/gui_test.h"
#include "suite/branlst/branlst.h"

// Removes the directory the chooser tests made, when the program ends.
class ChooserWorldCleanup : public ::testing::Environment {
 public:
  static std::unique_ptr<cl::testing::TempDirectory>& Made() {
    static std::unique_ptr<cl::testing::TempDirectory> made;
    return made;
  }
  void TearDown() override { Made().reset(); }
};
inline ::testing::Environment* const chooserWorldCleanup =
    ::testing::AddGlobalTestEnvironment(new ChooserWorldCleanup);

class ChooserWorld : public ::testing::Test {
 protected:
  static const std::string& Base() {
    static const std::string base = [] {
      // Unless the layout was fixed before, it is fixed here.
      ChooserWorldCleanup::Made() = std::make_unique<cl::testing::TempDirectory>();
      setenv("BRANNIK_WINDIR", ChooserWorldCleanup::Made()->Path().c_str(), 1);
      return dlg::GlobalDisk().Base();
    }();
    return base;
  }

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
