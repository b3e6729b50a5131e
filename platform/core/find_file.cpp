#include "platform/core/find_file.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/core/dos_time.h"
#include "platform/core/file_names.h"
#include "platform/core/file_system.h"
#include "platform/core/last_error.h"

namespace win {

namespace {

bool GlobMatch(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || FoldCp1250(static_cast<unsigned char>(pattern[p])) ==
                                         FoldCp1250(static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// An entry from its lstat; a symbolic link is marked, with its target's directory bit.
FindData Describe(const struct stat& st, const std::string& path) {
  const auto slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  FindData data;
  bool directory = S_ISDIR(st.st_mode);
  if (S_ISLNK(st.st_mode)) {
    struct stat target;
    directory = stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    data.attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
  }
  data.attributes |= directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!(st.st_mode & S_IWUSR)) data.attributes |= FILE_ATTRIBUTE_READONLY;
  if (name.starts_with('.') && name != "." && name != "..") data.attributes |= FILE_ATTRIBUTE_HIDDEN;
  data.dosTime = DosTimeFromUnix(st.st_mtime);
  data.size = directory ? 0 : st.st_size;
  data.volumeSerial = st.st_dev;
  return data;
}

std::string Join(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

bool HasWildcard(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  if (pattern.ends_with(".*") && name.find('.') == std::string_view::npos &&
      GlobMatch(pattern.substr(0, pattern.size() - 2), name))
    return true;
  if (pattern.ends_with('.')) {
    return name.find('.') == std::string_view::npos &&
           GlobMatch(pattern.substr(0, pattern.size() - 1), name);
  }
  return GlobMatch(pattern, name);
}

std::vector<FindData> FindFiles(std::string_view pattern) {
  std::vector<FindData> found;
  const auto split = pattern.find_last_of("\\/:");
  const std::string_view dirPart = split == std::string_view::npos ? std::string_view() : pattern.substr(0, split + 1);
  const std::string_view namePart = split == std::string_view::npos ? pattern : pattern.substr(split + 1);

  if (!HasWildcard(namePart)) {
    const auto path = NativeName(pattern);
    if (!path) return found;
    struct stat st;
    if (namePart.empty() || lstat(path->c_str(), &st) != 0) {
      SetLastErrorForName(namePart.empty() ? ENOENT : errno, *path);
      return found;
    }
    const auto slash = path->find_last_of('/');
    const auto name = SystemName(slash == std::string::npos ? *path : path->substr(slash + 1));
    if (!name) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return found;
    }
    found.push_back(Describe(st, *path));
    found.back().name = *name;
    return found;
  }

  std::string dir;
  if (!dirPart.empty()) {
    const auto path = NativeName(dirPart);
    if (!path) return found;
    dir = *path;
  }
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) {
    SetLastErrorForName(errno == ENOENT ? ENOTDIR : errno, dir);
    return found;
  }
  std::vector<std::string> names;
  while (const dirent* e = readdir(d)) names.emplace_back(e->d_name);
  closedir(d);
  std::sort(names.begin(), names.end());
  const bool root = dir == "/";
  for (const auto& native : names) {
    if (root && (native == "." || native == "..")) continue;
    const auto name = SystemName(native);
    if (!name || !MatchesWildcard(namePart, *name)) continue;
    const std::string full = Join(dir, native);
    struct stat st;
    if (lstat(full.c_str(), &st) != 0) continue;  // vanished meanwhile
    found.push_back(Describe(st, full));
    found.back().name = *name;
  }
  if (found.empty()) SetLastError(ERROR_FILE_NOT_FOUND);
  return found;
}

std::vector<std::string> DirectoryNames(std::string_view directory) {
  std::vector<std::string> names;
  std::string dir = ".";
  if (!directory.empty()) {
    const auto path = NativeName(directory);
    if (!path) return names;
    dir = *path;
  }
  DIR* d = opendir(dir.c_str());
  if (!d) {
    SetLastErrorForName(errno == ENOENT ? ENOTDIR : errno, dir);
    return names;
  }
  while (const dirent* e = readdir(d)) {
    const std::string_view native = e->d_name;
    if (native == "." || native == "..") continue;
    if (auto name = SystemName(native)) names.push_back(std::move(*name));
  }
  closedir(d);
  return names;
}

}  // namespace win
