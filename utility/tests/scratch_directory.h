#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/core/short_string.h"

// A fresh directory for one test, removed with everything below it.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "branutl-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ignored))
      if (!e.is_symlink())
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  void Write(const std::string& name, const std::string& content) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(std::filesystem::symlink_status(path_ / name));
  }
  void ReadOnly(const std::string& name) const { chmod((path_ / name).c_str(), 0444); }

 private:
  std::filesystem::path path_;
};

