#include "html/document/url_path.h"

namespace html {

namespace {

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

// One pass: a decoded character is never looked at again, so "%2541" stays
// "%41". "%00" is left as written: a NUL would cut the path short.
std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
      if (high >= 0 && low >= 0 && (high | low) != 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

void EraseFirst(std::string& text, std::string_view what) {
  const auto at = text.find(what);
  if (at != std::string::npos) text.erase(at, what.size());
}

}  // namespace

std::string UrlToPath(std::string_view url) {
  std::string path = PercentDecode(url);
  if (path.find('/') == std::string::npos) return path;
  for (auto& ch : path)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  if (path.find("file:///") != std::string::npos)
    EraseFirst(path, "file:///");
  else
    EraseFirst(path, "file://");
  for (auto& ch : path) {
    if (ch == '|') ch = ':';
    else if (ch == '/') ch = '\\';
  }
  return path;
}

std::string UrlToPathWithRoot(std::string_view url, std::string_view root) {
  std::string path = UrlToPath(url);
  if (!path.empty() && path.front() == '\\') path.insert(0, root);
  return path;
}

}  // namespace html
