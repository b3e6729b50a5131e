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

}  // namespace

std::string URIURL2DOS(std::string_view url) {
  std::string path = URISPLIT(STRTRIM(url)).path;
  // Local files keep DOS extensions.
  ReplaceFirst(path, ".html", ".htm");
  ReplaceFirst(path, ".jpeg", ".jpg");
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

std::string URIEXPAND(std::string_view url, std::string_view baseFile, std::string_view basePath) {
  std::string path = URIURL2DOS(url);
  if (!ISPATHABSOLUTE(path) && !SameText(basePath, "DosPath"))
    path = (basePath.empty() ? DIRNAME(baseFile) : URIURL2DOS(basePath)) + path;
  return FEXPAND(path);
}

}  // namespace utl
