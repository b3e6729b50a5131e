#include "platform/core/test_support/scratch_file.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace cl::testing {

void WriteScratchFile(const std::filesystem::path& file, std::string_view content) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write the scratch file " + file.string());
}

void WriteScratchFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
  WriteScratchFile(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string ReadScratchFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace cl::testing
