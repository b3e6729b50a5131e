#pragma once

#include <string>
#include <string_view>

namespace html {

// A local path from a URL: each valid "%XX" decoded once; a URL with "/" is
// lower-cased, loses its "file:///" (or else "file://"), "|" becomes ":" and
// "/" becomes "\". Text without "/" keeps its case.
std::string UrlToPath(std::string_view url);

// As UrlToPath; a result beginning with "\" gets root put in front.
std::string UrlToPathWithRoot(std::string_view url, std::string_view root);

}  // namespace html
