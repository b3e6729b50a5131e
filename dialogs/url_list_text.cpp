#include "dialogs/url_list_text.h"

#include <cstring>

namespace dlg {

std::string_view BoundedText(const char* buffer, std::size_t bufLen) {
  if (buffer == nullptr) return {};
  return {buffer, strnlen(buffer, bufLen)};
}

void LoadUrlList(std::string_view text, tBKAddressList& list) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (line.find_first_not_of(" \t") != std::string_view::npos) list.Add(tBKAddressItem::FromURL(line));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

namespace {

// The number of the list's first lines that fit, with the text they make.
std::size_t LinesWithin(const cl::TStrings& list, std::size_t bufLen, std::string* text) {
  if (bufLen == 0) return 0;
  std::size_t used = 0;
  int i = 0;
  for (; i < list.Count(); ++i) {
    const std::string& url = list.Get(i);
    // A URL cut in half would be a wrong address: the line goes whole or not.
    if (used + url.size() + 2 > bufLen - 1) break;
    used += url.size() + 2;
    if (text) *text += url + "\r\n";
  }
  return static_cast<std::size_t>(i);
}

}  // namespace

std::string UrlTextWithin(const cl::TStrings& list, std::size_t bufLen) {
  std::string text;
  LinesWithin(list, bufLen, &text);
  return text;
}

std::size_t UrlsBeyond(const cl::TStrings& list, std::size_t bufLen) {
  return static_cast<std::size_t>(list.Count()) - LinesWithin(list, bufLen, nullptr);
}

}  // namespace dlg
