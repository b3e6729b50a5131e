#pragma once

#include <string>
#include <string_view>

namespace utl {

// The local path of a file URL: 'file:///c|/dir/x.html' gives '\c:\dir\x.htm'.
std::string URIURL2DOS(std::string_view url);
// The full path of the file a link names (its whole name, its drive first):
// a relative link is taken against the base path (a URL) or else the base
// file's directory; the base path "DosPath" means the current directory.
std::string URIEXPAND(std::string_view url, std::string_view baseFile, std::string_view basePath);

}  // namespace utl
