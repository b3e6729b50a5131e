#include "utility/path_names.h"

#include <algorithm>
#include <vector>

#include "platform/core/environment.h"
#include "platform/core/file_system.h"

namespace utl {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

bool HasDrive(std::string_view path) { return path.size() > 1 && path[1] == ':'; }

std::string Cut(std::string_view text, std::size_t limit) {
  return std::string(text.substr(0, limit));
}

// Resolves "." and ".." below root; the separator joins the components.
std::string Normalize(const std::string& root, std::string_view rest, char separator) {
  std::vector<std::string_view> parts;
  std::size_t pos = 0;
  while (pos <= rest.size()) {
    std::size_t end = pos;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    const auto part = rest.substr(pos, end - pos);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
  std::string result = root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) result += separator;
    result += parts[i];
  }
  if (!parts.empty() && !rest.empty() && IsSeparator(rest.back())) result += separator;
  return result;
}

}  // namespace

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

PathParts SplitPath(std::string_view path) {
  std::size_t dirEnd = 0;
  for (std::size_t i = 0; i < path.size(); ++i)
    if (path[i] == ':' || IsSeparator(path[i])) dirEnd = i + 1;
  const auto rest = path.substr(dirEnd);
  const auto dot = rest.find('.');
  PathParts parts;
  parts.directory = std::string(path.substr(0, dirEnd));
  parts.name = std::string(rest.substr(0, dot));
  parts.extension = dot == std::string_view::npos ? std::string() : std::string(rest.substr(dot));
  return parts;
}

PathParts FSPLIT(std::string_view path) {
  PathParts parts = SplitPath(path);
  parts.directory.resize(std::min<std::size_t>(parts.directory.size(), 67));
  parts.name.resize(std::min<std::size_t>(parts.name.size(), 12));
  parts.extension.resize(std::min<std::size_t>(parts.extension.size(), 4));
  return parts;
}

std::string DIRNAME(std::string_view path) { return SplitPath(path).directory; }

std::string FILENAME(std::string_view path) { return SplitPath(path).name; }

std::string FILEEXT(std::string_view path) { return FSPLIT(path).extension; }

std::string DIRNAMEOFF(std::string_view path) {
  const PathParts parts = SplitPath(path);
  return parts.name + parts.extension;
}

std::string FILEEXTOFF(std::string_view path) {
  const PathParts parts = SplitPath(path);
  return parts.directory + parts.name;
}

char DRIVENAME(std::string_view path) { return HasDrive(path) ? Upper(path[0]) : '?'; }

std::string DRIVEOFF(std::string_view path) {
  return std::string(HasDrive(path) ? path.substr(2) : path);
}

std::string DRIVEANDROOTOFF(std::string_view path) {
  std::string rest = DRIVEOFF(path);
  std::size_t n = 0;
  while (n < rest.size() && IsSeparator(rest[n])) ++n;
  return rest.substr(n);
}

bool ISPATHABSOLUTE(std::string_view path) {
  if (!path.empty() && IsSeparator(path[0])) return true;
  return path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]);
}

bool ISWILDCARD(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

std::string STREXT(std::int32_t n) {
  if (n < 0 || n > 999) return {};
  const char digits[] = {'.', char('0' + n / 100), char('0' + n / 10 % 10), char('0' + n % 10)};
  return std::string(digits, 4);
}

std::string UnifyDirName(std::string_view directory) {
  const auto first = directory.find_first_not_of(' ');
  std::string d = first == std::string_view::npos
                      ? std::string()
                      : std::string(directory.substr(first, directory.find_last_not_of(' ') - first + 1));
  if (d.empty() || !IsSeparator(d.back())) d += '\\';
  for (char& c : d) c = Upper(c);
  return d;
}

std::string FEXPAND(std::string_view path) {
  if (HasDrive(path)) {
    // The system's own form stays: drive, "\" and the resolved components.
    const std::string root = std::string(1, Upper(path[0])) + ":\\";
    return Normalize(root, path.substr(2), '\\');
  }
  if (!path.empty() && IsSeparator(path[0])) return Normalize("/", path, '/');
  const auto current = win::GetCurrentDirectory();
  // A current directory that code page 1250 cannot name stays implicit.
  if (!current) return std::string(path);
  std::string joined = *current;
  if (joined.empty() || !IsSeparator(joined.back())) joined += '/';
  joined += path;
  return Normalize("/", joined, '/');
}

std::string GETENV(std::string_view name) {
  return Cut(win::GetEnvironmentVariable(name).value_or(std::string()), 255);
}

std::int32_t PARSEFILESIZE(std::string& line) {
  line.erase(0, std::min(line.find_first_not_of(' '), line.size()));
  const auto blank = line.find(' ');
  if (blank == std::string::npos) return -1;
  std::string digits;
  for (const char c : std::string_view(line).substr(0, blank))
    if (c != ',') digits += c;
  std::size_t i = 0;
  bool negative = false;
  if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
  if (i == digits.size()) return -1;
  std::int64_t value = 0;
  for (; i < digits.size(); ++i) {
    if (digits[i] < '0' || digits[i] > '9') return -1;
    value = value * 10 + (digits[i] - '0');
    if (value > 0x7FFFFFFF) return -1;
  }
  std::string rest = line.substr(blank);
  rest.erase(0, std::min(rest.find_first_not_of(' '), rest.size()));
  line = rest;
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::string MAKEPATHABSOLUTE(std::string_view base, std::string_view path) {
  if (ISPATHABSOLUTE(path) && !IsSeparator(path[0])) return std::string(path);
  if (!path.empty() && IsSeparator(path[0])) {
    // A base without a drive (a native path) gives no drive to add.
    if (DRIVENAME(base) == '?') return std::string(path);
    return std::string(1, DRIVENAME(base)) + ":" + std::string(path);
  }
  std::string b(base);
  const char separator = b.find('\\') == std::string::npos && b.find('/') != std::string::npos ? '/' : '\\';
  if (!b.empty() && IsSeparator(b.back())) b.pop_back();
  // Only leading steps up resolve; at the root they stop.
  const std::size_t rootEnd = HasDrive(b) ? 2 : 0;
  while (path.size() >= 3 && path[0] == '.' && path[1] == '.' && IsSeparator(path[2])) {
    path.remove_prefix(3);
    const auto last = b.find_last_of("\\/");
    if (last != std::string::npos && last >= rootEnd) b.erase(last);
  }
  if (b.empty() || !IsSeparator(b.back())) b += separator;
  return b + std::string(path);
}

std::string MAKEPATHRELATIVE(std::string_view base, std::string_view directory, std::string_view path) {
  const std::string target = ISPATHABSOLUTE(path) ? DIRNAME(path) : DIRNAME(MAKEPATHABSOLUTE(base, path));
  std::string_view d = directory, t = target;
  int common = 0;
  while (!d.empty() && !t.empty()) {
    const auto dEnd = d.find_first_of("\\/"), tEnd = t.find_first_of("\\/");
    // A last component without a separator ends the comparison.
    if (dEnd == std::string_view::npos || tEnd == std::string_view::npos) break;
    if (!SameTextAscii(d.substr(0, dEnd), t.substr(0, tEnd))) break;
    d.remove_prefix(dEnd + 1);
    t.remove_prefix(tEnd + 1);
    ++common;
  }
  std::string result;
  if (common < 2) {
    result = target;
  } else {
    const char separator = directory.find('\\') == std::string_view::npos &&
                                   directory.find('/') != std::string_view::npos
                               ? '/'
                               : '\\';
    std::size_t left = 0;
    for (const char c : d) left += IsSeparator(c);
    if (!d.empty() && !IsSeparator(d.back())) ++left;
    for (std::size_t i = 0; i < left; ++i) result += std::string("..") + separator;
    result += t;
  }
  return result + DIRNAMEOFF(path);
}

}  // namespace utl
