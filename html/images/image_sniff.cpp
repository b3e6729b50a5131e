#include "html/images/image_sniff.h"

#include <cstring>

#include "html/images/read_only_file_stream.h"

namespace html {

namespace {

bool StartsWith(const std::uint8_t* data, std::size_t count, const char* prefix, std::size_t length) {
  return count >= length && std::memcmp(data, prefix, length) == 0;
}

}  // namespace

TImageType SniffImageType(const std::uint8_t* data, std::size_t count) {
  if (data == nullptr) return itOther;
  // "GIF8" with nothing after it is still a GIF: there is no "9".
  if (StartsWith(data, count, "GIF8", 4)) return count >= 5 && data[4] == '9' ? itGif89 : itGif87;
  if (StartsWith(data, count, "BM", 2)) return itBmp;
  if (StartsWith(data, count, "\x89PNG", 4)) return itPng;
  if (StartsWith(data, count, "\xFF\xD8", 2)) return itJpeg;
  return itOther;
}

TImageType SniffImageFileType(const std::string& fileName) {
  TReadOnlyFileStream file(fileName);
  std::uint8_t head[11] = {};
  const std::int32_t got = file.Read(head, sizeof head);
  return SniffImageType(head, got > 0 ? static_cast<std::size_t>(got) : 0);
}

}  // namespace html
