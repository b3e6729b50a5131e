#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace html {

// Image kinds by their first bytes.
enum TImageType : std::uint8_t { itOther = 0, itBmp = 1, itGif87 = 2, itGif89 = 3, itPng = 4, itJpeg = 5 };

// The kind of the count bytes at data: "GIF8" then "9" is GIF89, then anything
// else GIF87; "BM" BMP; 0x89 "PNG" PNG; 0xFF 0xD8 JPEG; tried in that order.
// Only the bytes present are looked at, so a short buffer is itOther.
TImageType SniffImageType(const std::uint8_t* data, std::size_t count);

// The kind of a file from its first 11 bytes; the file is opened for reading
// with others denied writing and closed in every case. An open failure raises.
TImageType SniffImageFileType(const std::string& fileName);

}  // namespace html
