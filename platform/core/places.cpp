#include "platform/core/places.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/core/file_names.h"

namespace win {

namespace {

std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/tmp";
}

// Makes the directory and its missing parents.
void MakeDirectories(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0700);
    if (slash == std::string::npos) break;
  }
}

}  // namespace

std::string GetModuleFileName() {
  std::vector<char> buffer(4096);
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || std::size_t(n) >= buffer.size()) return {};
  return SystemName(std::string(buffer.data(), std::size_t(n))).value_or(std::string());
}

std::string GetWindowsDirectory() {
  std::string dir;
  if (const char* windir = std::getenv("BRANNIK_WINDIR"); windir && *windir) {
    dir = windir;
  } else if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
    dir = std::string(config) + "/brannik";
  } else {
    dir = HomeDirectory() + "/.config/brannik";
  }
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  MakeDirectories(dir);
  return SystemName(dir).value_or(std::string());
}

}  // namespace win
