#pragma once

// The directory a fuzz target writes its files in: made once a process,
// removed with what it holds when the process ends. It lies in memory where
// the machine has a memory file system: a disk's file system flushes a file
// that is truncated or replaced, and every run would wait for the disk.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdlib.h>
#include <unistd.h>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace fuzz {

class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (Parent() / "brannik_fuzz_XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

  // Replaces the file's bytes; a failure ends the run, since every check
  // after it would read something else.
  void Write(std::string_view name, const void* data, std::size_t size) const {
    FILE* f = std::fopen(File(name).c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    if (std::fclose(f) != 0) std::abort();
  }
  void Write(std::string_view name, std::string_view text) const { Write(name, text.data(), text.size()); }

  std::string Read(std::string_view name) const {
    std::string text;
    FILE* f = std::fopen(File(name).c_str(), "rb");
    if (!f) return text;
    char buffer[8192];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    std::fclose(f);
    return text;
  }

 private:
  static std::filesystem::path Parent() {
    const std::filesystem::path memory = "/dev/shm";
    std::error_code error;
    if (std::filesystem::is_directory(memory, error) && access(memory.c_str(), W_OK | X_OK) == 0) return memory;
    return std::filesystem::temp_directory_path();
  }

  std::string path_;
};

// The process's directory.
inline const ScratchDirectory& Scratch() {
  static const ScratchDirectory directory;
  return directory;
}

}  // namespace fuzz
