#include "utility/file_crc.h"

#include <array>

#include "platform/core/file_handle.h"
#include "platform/core/unique_handle.h"
#include "utility/bk_exception.h"
#include "utility/crc32.h"

namespace utl {

namespace {

constexpr std::uint32_t BlockSize = 32768;

win::UniqueHandle OpenForReading(std::string_view name) {
  win::UniqueHandle handle(
      win::CreateFile(name, win::GENERIC_READ, win::FILE_SHARE_READ | win::FILE_SHARE_WRITE, win::OPEN_EXISTING));
  if (!handle.IsOpen()) throw xIOOpen(name);
  return handle;
}

}  // namespace

std::uint32_t FileCRC(std::uint8_t kind, std::string_view name) {
  const tCRCator* crc = CRCator();
  if (!crc) throw xInternal("CRC table not loaded");
  const win::UniqueHandle file = OpenForReading(name);
  std::array<std::uint8_t, BlockSize> block;
  std::uint32_t reg = CRCStart;
  for (;;) {
    std::uint32_t got = 0;
    if (!win::ReadFile(file.Get(), block.data(), BlockSize, &got)) throw xIORead(name);
    crc->Add(kind, block.data(), got, reg);
    if (got < BlockSize) break;
  }
  return reg;
}

}  // namespace utl
