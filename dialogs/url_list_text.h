#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dialogs/address_items.h"

namespace dlg {

// The caller's zero-terminated text, never read past bufLen bytes.
std::string_view BoundedText(const char* buffer, std::size_t bufLen);
// One address a line (CR, LF or CR LF ends a line); blank lines hold none
// and a URL given twice is kept once.
void LoadUrlList(std::string_view text, tBKAddressList& list);
// The list's URLs, each followed by CR LF, as many whole lines as fit a
// buffer of bufLen bytes with its terminating zero.
std::string UrlTextWithin(const cl::TStrings& list, std::size_t bufLen);
// How many of the list's URLs that text leaves out.
std::size_t UrlsBeyond(const cl::TStrings& list, std::size_t bufLen);

}  // namespace dlg
