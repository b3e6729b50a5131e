#pragma once

// Files a test makes for the code under test to read.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace cl::testing {

// Writes CONTENT to FILE whole, making its parent folders; throws
// std::runtime_error when it cannot, so a fixture never passes unwritten.
void WriteScratchFile(const std::filesystem::path& file, std::string_view content);
void WriteScratchFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

// FILE's content, or "<missing>" when it cannot be opened.
std::string ReadScratchFile(const std::filesystem::path& file);

}  // namespace cl::testing
