#pragma once

// A file's bytes read and written whole, beside the temporary directories of
// the tests' support.

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/test_support/temp_directory.h"

inline std::vector<char> ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& file, const std::vector<char>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
