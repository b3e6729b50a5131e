#pragma once

// The library's directory layout for the whole test program. GlobalDisk()
// fixes it on first use and any test may be the first, so it is fixed here,
// in a scratch Windows directory, before any test runs; each test then fills
// what it needs under Base().

#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "dialogs/disk.h"
#include "platform/core/test_support/temp_directory.h"

class LibraryLayout : public ::testing::Environment {
 public:
  // The layout's base directory, ending with a separator.
  static const std::string& Base() {
    static const std::string base = [] {
      Made() = std::make_unique<cl::testing::TempDirectory>();
      setenv("BRANNIK_WINDIR", Made()->Path().c_str(), 1);
      return dlg::GlobalDisk().Base();
    }();
    return base;
  }
  // Whether the layout lies in the scratch directory made here (and not
  // where an earlier use of the layout put it).
  static bool IsScratch() { return Made() && Base().rfind(Made()->Path().string(), 0) == 0; }

  void SetUp() override { Base(); }
  void TearDown() override { Made().reset(); }

 private:
  static std::unique_ptr<cl::testing::TempDirectory>& Made() {
    static std::unique_ptr<cl::testing::TempDirectory> made;
    return made;
  }
};

inline ::testing::Environment* const libraryLayout = ::testing::AddGlobalTestEnvironment(new LibraryLayout);
