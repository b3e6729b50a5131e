#pragma once

#include <string>
#include <string_view>

namespace utl {

// The local path of a file URL: 'file:///c|/dir/x.html' gives '\c:\dir\x.htm'.
std::string URIURL2DOS(std::string_view url);

}  // namespace utl
