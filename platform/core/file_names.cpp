#include "platform/core/file_names.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <vector>

#include "platform/core/cp1250.h"
#include "platform/core/last_error.h"

namespace win {

namespace {

// Lower case of the Latin letters code page 1250 holds.
char32_t FoldUnicode(char32_t ch) {
  if (ch >= U'A' && ch <= U'Z') return ch + 32;
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return ch + 32;
  if ((ch >= 0x100 && ch <= 0x137) || (ch >= 0x14A && ch <= 0x177)) return ch | 1;
  if ((ch >= 0x139 && ch <= 0x148) || (ch >= 0x179 && ch <= 0x17E)) return (ch & 1) ? ch + 1 : ch;
  if (ch == 0x178) return 0xFF;
  return ch;
}

const std::array<unsigned char, 256>& FoldTable() {
  static const auto table = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
      t[b] = static_cast<unsigned char>(b);
      const auto ch = Cp1250ToUnicode(static_cast<unsigned char>(b));
      if (!ch) continue;
      if (const auto lower = UnicodeToCp1250(FoldUnicode(*ch))) t[b] = *lower;
    }
    return t;
  }();
  return table;
}

std::vector<std::string> SortedEntries(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return names;
  while (const dirent* e = readdir(d)) names.emplace_back(e->d_name);
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

std::string Join(const std::string& dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  if (dir.back() == '/') return dir + std::string(name);
  return dir + "/" + std::string(name);
}

// Resolves each existing component of a native path case-insensitively.
std::string ResolveCase(const std::string& path) {
  std::string resolved = path.starts_with('/') ? "/" : "";
  std::size_t pos = 0;
  bool lookUp = true;
  while (pos < path.size()) {
    const std::size_t end = std::min(path.find('/', pos), path.size());
    const std::string_view component(path.data() + pos, end - pos);
    pos = end + 1;
    if (component.empty()) continue;
    std::string next = Join(resolved, component);
    struct stat st;
    if (lookUp && component != "." && component != ".." && lstat(next.c_str(), &st) != 0) {
      lookUp = false;  // below a missing component nothing exists
      if (const auto wanted = Utf8ToCp1250(component)) {
        for (const auto& entry : SortedEntries(resolved)) {
          const auto visible = Utf8ToCp1250(entry);
          if (visible && SameNameIgnoringCase(*visible, *wanted)) {
            next = Join(resolved, entry);
            lookUp = true;
            break;
          }
        }
      }
    }
    resolved = std::move(next);
  }
  if (path.size() > 1 && path.back() == '/' && !resolved.ends_with('/')) resolved += '/';
  return resolved;
}

}  // namespace

unsigned char FoldCp1250(unsigned char byte) { return FoldTable()[byte]; }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCp1250(static_cast<unsigned char>(a[i])) != FoldCp1250(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::optional<std::string> NativeName(std::string_view name) {
  std::string text(name);
  std::replace(text.begin(), text.end(), '\\', '/');
  std::string root;
  if (text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]))) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    text.erase(0, 2);
    if (letter == 'C') {
      root = "/";
    } else {
      const std::string variable = std::string("BRANNIK_DRIVE_") + letter;
      const char* dir = std::getenv(variable.c_str());
      if (!dir || !*dir) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
      }
      root = dir;
      if (!root.ends_with('/')) root += '/';
    }
    text.erase(0, text.find_first_not_of('/') == std::string::npos ? text.size()
                                                                    : text.find_first_not_of('/'));
  }
  return ResolveCase(root + Cp1250ToUtf8(text));
}

std::optional<std::string> SystemName(std::string_view nativePath) {
  return Utf8ToCp1250(nativePath);
}

}  // namespace win
