#pragma once

// Test support for every folder's tests (link platform_core_test_support):
// a directory of the test's own, removed with everything below it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace cl::testing {

// A fresh directory under the system's temporary folder, named for the
// process and the running test, removed (read-only entries too) when the
// object goes.
class TempDirectory {
 public:
  TempDirectory();
  // The same under PARENT, e.g. on another file system.
  explicit TempDirectory(const std::filesystem::path& parent);
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  // Writes a file below the directory, making its parents; gives its path.
  std::string Write(const std::string& name, std::string_view content) const;
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  // The file's content, or "<missing>" when it cannot be opened.
  std::string Read(const std::string& name) const;
  // True for any entry of that name, a dangling link too.
  bool Exists(const std::string& name) const;
  void ReadOnly(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace cl::testing
