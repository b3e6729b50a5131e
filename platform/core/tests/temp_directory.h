#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <unistd.h>

// A fresh directory for one test, removed with everything below it.
class TempDirectory {
 public:
  TempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brannik-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDirectory() {
    std::error_code ignored;
    // Read-only entries must not stop the clean-up.
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ignored))
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  // Writes a file below the directory, making its parents.
  void Write(const std::string& name, const std::string& content) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      [[maybe_unused]] auto n = write(fd, content.data(), content.size());
      close(fd);
    }
  }
  std::string Read(const std::string& name) const {
    std::string content;
    const int fd = open((path_ / name).c_str(), O_RDONLY);
    if (fd < 0) return "<missing>";
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) content.append(buffer, std::size_t(n));
    close(fd);
    return content;
  }

 private:
  std::filesystem::path path_;
};
