#pragma once

#include <cstdint>
#include <string_view>

namespace utl {

// The register over the whole file, read in blocks of 32768 bytes with the
// file shared for reading and writing. Raises xIOOpen or xIORead.
std::uint32_t FileCRC(std::uint8_t kind, std::string_view name);

}  // namespace utl
