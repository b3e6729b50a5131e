#include "browser/exe_link.h"

#include "platform/core/short_string.h"
#include "utility/short_strings.h"

namespace brw {

namespace {

std::string CutShort(std::string text) {
  if (text.size() > ShortString::MaxLength) text.resize(ShortString::MaxLength);
  return text;
}

// The extension with its dot, as the class library's ExtractFileExt finds it.
std::string_view Extension(std::string_view name) {
  const auto at = name.find_last_of(".\\/:");
  if (at == std::string_view::npos || name[at] != '.') return {};
  return name.substr(at);
}

}  // namespace

std::optional<TExeLink> ExeLinkTarget(std::string_view url,
                                      const std::function<std::string(std::string_view)>& expandLinkFileName) {
  const auto colon = url.find(':');
  if (colon != std::string_view::npos && colon >= 2 && utl::STRUPR(url).find("FILE:") == std::string::npos)
    return std::nullopt;

  std::string name = CutShort(std::string(url));
  std::string parameters;
  auto split = name.find(' ');
  if (split == std::string::npos) split = name.find('?');
  if (split != std::string::npos) {
    parameters = name.substr(split + 1);
    name.resize(split);
  }
  name = CutShort(expandLinkFileName(name));
  if (utl::STRUPR(Extension(name)) != ".EXE") return std::nullopt;
  return TExeLink{std::move(name), std::move(parameters)};
}

}  // namespace brw
