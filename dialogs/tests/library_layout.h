#pragma once

// The library's directory layout for the whole test program. GlobalDisk()
// fixes it on first use and any test may be the first, so it is fixed here,
// in a scratch Windows directory, before any test runs; each test then fills
// what it needs under Base().

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "dialogs/disk.h"

class LibraryLayout : public ::testing::Environment {
 public:
  // The layout's base directory, ending with a separator.
  static const std::string& Base() {
    static const std::string base = [] {
      std::string pattern = (std::filesystem::temp_directory_path() / "dialogs-test-XXXXXX").string();
      if (mkdtemp(pattern.data()) != nullptr) {
        setenv("BRANNIK_WINDIR", pattern.c_str(), 1);
        Made() = pattern;
      }
      return dlg::GlobalDisk().Base();
    }();
    return base;
  }
  // Whether the layout lies in the scratch directory made here (and not
  // where an earlier use of the layout put it).
  static bool IsScratch() { return !Made().empty() && Base().rfind(Made(), 0) == 0; }

  void SetUp() override { Base(); }
  void TearDown() override {
    std::error_code ignored;
    if (!Made().empty()) std::filesystem::remove_all(Made(), ignored);
  }

 private:
  static std::string& Made() {
    static std::string made;
    return made;
  }
};

inline ::testing::Environment* const libraryLayout = ::testing::AddGlobalTestEnvironment(new LibraryLayout);
