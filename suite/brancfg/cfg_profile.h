#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The configuration's profile file, "brancfg.ini" in the Windows directory,
// section [Config]. Each call reads or rewrites the file, so several programs
// of the suite see each other's values.
class CfgProfile {
 public:
  CfgProfile();

  // The value of a key, trimmed, one pair of quotes stripped; nullopt when the
  // key is not in the file (or the file cannot be read).
  std::optional<std::string> Read(std::string_view key) const;

  // Sets a key: its first line is replaced, or a new line is appended to the
  // section; other lines stay. The file is written through a temporary file
  // and a rename. Returns false when it cannot be written.
  bool Write(std::string_view key, std::string_view value) const;

  const std::filesystem::path& Path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
};

// $BRANNIK_WINDIR, else $XDG_CONFIG_HOME/brannik, else ~/.config/brannik.
std::filesystem::path WindowsDirectory();
