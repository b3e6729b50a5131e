#include "utility/file_url.h"

#include "utility/path_names.h"
#include "utility/station_url.h"
#include "utility/same_text.h"
#include "utility/short_strings.h"

namespace utl {
namespace {

void ReplaceFirst(std::string& s, std::string_view from, std::string_view to) {
  if (const auto at = s.find(from); at != std::string::npos) s.replace(at, from.size(), to);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// How a file URL's path part becomes a DOS path.
enum class Extensions { CutToDos, Kept };

std::string FilePath(std::string_view url, Extensions extensions) {
  std::string path = URISPLIT(STRTRIM(url)).path;
  if (extensions == Extensions::CutToDos) {
    ReplaceFirst(path, ".html", ".htm");
    ReplaceFirst(path, ".jpeg", ".jpg");
  }
  if (path.find('/') == std::string::npos) return path;

  path = STRLWR(path);
  constexpr std::string_view fileScheme = "file://";
  if (const auto at = path.find(fileScheme); at != std::string::npos) {
    const auto second = at + fileScheme.size() + 1;
    const bool slash = second < path.size() && path[second] == '/';
    path.erase(at, fileScheme.size() + (slash ? 1 : 0));
  }
  for (char& c : path) {
    if (c == '|') c = ':';
    else if (c == '/') c = '\\';
  }
  return path;
}

// The file a link names: the whole name, and a drive that begins the path
// rather than a "\" before it ('file:///c|/x' is 'c:\x', not the rooted
// '\c:\x'). A plain DOS path keeps its drive, which a split takes for a scheme.
std::string LinkedPath(std::string_view url) {
  const std::string trimmed = STRTRIM(url);
  if (trimmed.size() > 2 && IsLetter(trimmed[0]) && trimmed[1] == ':' && (trimmed[2] == '\\' || trimmed[2] == '/'))
    return std::string(trimmed.substr(0, 2)) + FilePath(trimmed.substr(2), Extensions::Kept);
  std::string path = FilePath(url, Extensions::Kept);
  if (path.size() > 2 && path[0] == '\\' && IsLetter(path[1]) && path[2] == ':') path.erase(0, 1);
  return path;
}

}  // namespace

std::string URIURL2DOS(std::string_view url) { return FilePath(url, Extensions::CutToDos); }

std::string URIEXPAND(std::string_view url, std::string_view baseFile, std::string_view basePath) {
  std::string path = LinkedPath(url);
  if (!ISPATHABSOLUTE(path) && !SameText(basePath, "DosPath"))
    path = (basePath.empty() ? DIRNAME(baseFile) : LinkedPath(basePath)) + path;
  return FEXPAND(path);
}

}  // namespace utl
