#include "html/frames/frame_error_document.h"

#include "platform/core/short_string.h"

namespace html {

namespace {

// The picture name never exists, so the viewer draws its unavailable-image mark.
constexpr std::string_view errorPrefix = "<p><img src=\"qw%&.bmp\" alt=\"Error\"> Can't load ";

std::string_view Escaped(char ch) {
  switch (ch) {
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '&': return "&amp;";
    default: return {};
  }
}

}  // namespace

std::string FrameErrorDocument(std::string_view fileName) {
  std::string document(errorPrefix);
  for (const char ch : fileName) {
    const std::string_view entity = Escaped(ch);
    const std::size_t length = entity.empty() ? 1 : entity.size();
    // Cut between characters, never inside an entity.
    if (document.size() + length > ShortString::MaxLength) break;
    if (entity.empty()) document += ch;
    else document += entity;
  }
  return document;
}

}  // namespace html
