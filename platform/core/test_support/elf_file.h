#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// Test support: a minimal 64-bit ELF file: the null section, one section with
// the given name and contents, and the section-name table.
inline std::string ElfFile(const std::string& sectionName, const std::string& contents) {
  const std::string names = std::string("\0", 1) + sectionName + '\0' + ".shstrtab" + '\0';
  std::string file(64, '\0');
  const auto put = [&file](std::size_t at, auto value) { std::memcpy(file.data() + at, &value, sizeof value); };
  std::memcpy(file.data(), "\x7f" "ELF\x02\x01\x01", 7);
  const std::uint64_t dataOffset = 64;
  const std::uint64_t namesOffset = dataOffset + contents.size();
  const std::uint64_t tableOffset = namesOffset + names.size();
  put(0x10, std::uint16_t{2});
  put(0x12, std::uint16_t{62});
  put(0x28, tableOffset);
  put(0x34, std::uint16_t{64});
  put(0x3A, std::uint16_t{64});
  put(0x3C, std::uint16_t{3});
  put(0x3E, std::uint16_t{2});
  file += contents + names;
  const auto section = [&](std::uint32_t name, std::uint32_t type, std::uint64_t offset, std::uint64_t size) {
    std::string entry(64, '\0');
    std::memcpy(entry.data(), &name, 4);
    std::memcpy(entry.data() + 4, &type, 4);
    std::memcpy(entry.data() + 0x18, &offset, 8);
    std::memcpy(entry.data() + 0x20, &size, 8);
    file += entry;
  };
  section(0, 0, 0, 0);
  section(1, 1, dataOffset, contents.size());
  section(static_cast<std::uint32_t>(sectionName.size() + 2), 3, namesOffset, names.size());
  return file;
}
