#include "suite/brancfg/cfg_profile.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

namespace {

constexpr std::string_view sectionName = "Config";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// The section a header line opens, or nullopt for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line, or nullopt for comments and other lines.
std::optional<std::string_view> KeyOf(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::filesystem::path WindowsDirectory() {
  if (const std::string dir = FromEnvironment("BRANNIK_WINDIR"); !dir.empty()) return dir;
  if (const std::string config = FromEnvironment("XDG_CONFIG_HOME"); !config.empty())
    return std::filesystem::path(config) / "brannik";
  return std::filesystem::path(FromEnvironment("HOME")) / ".config" / "brannik";
}

CfgProfile::CfgProfile() : path_(WindowsDirectory() / "brancfg.ini") {}

std::optional<std::string> CfgProfile::Read(std::string_view key) const {
  bool inSection = false;
  for (const std::string& line : ReadLines(path_)) {
    if (const auto section = SectionOf(line)) {
      inSection = SameText(*section, sectionName);
      continue;
    }
    if (!inSection) continue;
    const auto lineKey = KeyOf(line);
    if (!lineKey || !SameText(*lineKey, key)) continue;
    std::string_view value = Trim(std::string_view(line).substr(line.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    return std::string(value);
  }
  return std::nullopt;
}

bool CfgProfile::Write(std::string_view key, std::string_view value) const {
  std::vector<std::string> lines = ReadLines(path_);
  const std::string entry = std::string(key) + "=" + std::string(value);

  // Where the entry goes: over the key's first line in the section, else after
  // the section's last key line, else in a new section at the end.
  bool inSection = false;
  std::optional<std::size_t> sectionEnd, keyLine;
  for (std::size_t i = 0; i < lines.size() && !keyLine; ++i) {
    if (const auto section = SectionOf(lines[i])) {
      if (inSection) break;
      inSection = SameText(*section, sectionName);
      if (inSection) sectionEnd = i + 1;
      continue;
    }
    if (!inSection) continue;
    if (const auto lineKey = KeyOf(lines[i])) {
      if (SameText(*lineKey, key))
        keyLine = i;
      else
        sectionEnd = i + 1;
    }
  }
  if (keyLine) {
    lines[*keyLine] = entry;
  } else if (sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
  } else {
    lines.push_back("[" + std::string(sectionName) + "]");
    lines.push_back(entry);
  }

  std::error_code error;
  std::filesystem::create_directories(path_.parent_path(), error);
  std::filesystem::path temporary = path_;
  temporary += ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << '\n';
    out.flush();
    if (!out) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, path_, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}
