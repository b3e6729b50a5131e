#include "platform/core/version_block.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

#include "platform/core/ansi_case.h"
#include "platform/core/blank_trim.h"
#include "platform/core/file_handle.h"
#include "platform/core/last_error.h"
#include "platform/core/unique_handle.h"

namespace win {

namespace {

constexpr std::uint32_t ERROR_INVALID_DATA = 13;
constexpr std::uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
constexpr std::uint32_t ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;

constexpr std::string_view sectionName = "brannik_version";
// A version block is a few hundred bytes; anything far larger is no block.
constexpr std::uint64_t maxSectionSize = 64 * 1024;

// The in-memory form: this header, then the fixed information, the
// translations and the string entries, each at a 4-byte aligned offset; the
// entries point at zero-terminated "table\name" keys and values behind them.
struct BlockHeader {
  char Magic[4];
  std::uint32_t Size;
  std::uint32_t FixedOffset;  // 0: none
  std::uint32_t TranslationOffset;
  std::uint32_t TranslationCount;
  std::uint32_t EntryOffset;
  std::uint32_t EntryCount;
};
struct BlockEntry {
  std::uint32_t KeyOffset;
  std::uint32_t ValueOffset;
  std::uint32_t ValueLength;  // characters with the terminator
};
constexpr char blockMagic[4] = {'B', 'K', 'V', 'B'};

bool ParseHex(std::string_view text, std::size_t digits, std::uint32_t& value) {
  if (text.size() != digits) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return ec == std::errc() && end == text.data() + text.size();
}

// "3.0.1.0" as the two 32-bit halves of a fixed version.
bool ParseVersion(std::string_view text, std::uint32_t& ms, std::uint32_t& ls) {
  std::uint32_t parts[4];
  for (int i = 0; i < 4; ++i) {
    const auto dot = i < 3 ? text.find('.') : text.size();
    if (dot == std::string_view::npos) return false;
    const auto part = text.substr(0, dot);
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), parts[i]);
    if (part.empty() || ec != std::errc() || end != part.data() + part.size() || parts[i] > 0xFFFF)
      return false;
    text = i < 3 ? text.substr(dot + 1) : std::string_view();
  }
  ms = parts[0] << 16 | parts[1];
  ls = parts[2] << 16 | parts[3];
  return true;
}

struct ParsedBlock {
  std::optional<VS_FIXEDFILEINFO> Fixed;
  std::vector<VersionTranslation> Translations;
  std::vector<std::pair<std::string, std::string>> Strings;  // "table\name", value
};

VS_FIXEDFILEINFO& FixedOf(ParsedBlock& block) {
  if (!block.Fixed) {
    block.Fixed = VS_FIXEDFILEINFO{};
    block.Fixed->dwSignature = 0xFEEF04BD;
    block.Fixed->dwStrucVersion = 0x00010000;
    block.Fixed->dwFileOS = 0x00040004;  // VOS_NT_WINDOWS32
    block.Fixed->dwFileType = 1;         // VFT_APP
  }
  return *block.Fixed;
}

std::optional<ParsedBlock> Parse(std::string_view text) {
  ParsedBlock block;
  std::string table;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = cl::TrimOf(text.substr(0, end), " \t\r");
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (!table.empty()) {
      const auto equals = line.find('=');
      if (equals != std::string_view::npos) {
        const auto name = cl::TrimOf(line.substr(0, equals), " \t\r");
        if (name.empty()) return std::nullopt;
        block.Strings.emplace_back(table + '\\' + std::string(name),
                                   std::string(cl::TrimOf(line.substr(equals + 1), " \t\r")));
        continue;
      }
    }
    const auto blank = line.find_first_of(" \t");
    if (blank == std::string_view::npos) return std::nullopt;
    const std::string keyword = cl::AnsiUpperCase(line.substr(0, blank));
    const auto argument = cl::TrimOf(line.substr(blank), " \t\r");
    if (keyword == "FILEVERSION" || keyword == "PRODUCTVERSION") {
      auto& fixed = FixedOf(block);
      const bool file = keyword == "FILEVERSION";
      if (!ParseVersion(argument, file ? fixed.dwFileVersionMS : fixed.dwProductVersionMS,
                        file ? fixed.dwFileVersionLS : fixed.dwProductVersionLS))
        return std::nullopt;
    } else if (keyword == "TRANSLATION") {
      const auto gap = argument.find_first_of(" \t");
      std::uint32_t language = 0;
      std::uint32_t codePage = 0;
      if (gap == std::string_view::npos || !ParseHex(argument.substr(0, gap), 4, language) ||
          !ParseHex(cl::TrimOf(argument.substr(gap), " \t\r"), 4, codePage))
        return std::nullopt;
      block.Translations.push_back(
          {static_cast<std::uint16_t>(language), static_cast<std::uint16_t>(codePage)});
    } else if (keyword == "BLOCK") {
      std::uint32_t key = 0;
      if (!ParseHex(argument, 8, key)) return std::nullopt;
      table = std::string(argument);
    } else {
      return std::nullopt;
    }
  }
  return block;
}

std::uint32_t Align4(std::size_t offset) { return static_cast<std::uint32_t>((offset + 3) & ~std::size_t{3}); }

std::vector<std::byte> Compile(const ParsedBlock& parsed) {
  BlockHeader header{};
  std::memcpy(header.Magic, blockMagic, sizeof blockMagic);
  std::size_t offset = sizeof header;
  if (parsed.Fixed) {
    header.FixedOffset = Align4(offset);
    offset = header.FixedOffset + sizeof(VS_FIXEDFILEINFO);
  }
  header.TranslationOffset = Align4(offset);
  header.TranslationCount = static_cast<std::uint32_t>(parsed.Translations.size());
  offset = header.TranslationOffset + parsed.Translations.size() * sizeof(VersionTranslation);
  header.EntryOffset = Align4(offset);
  header.EntryCount = static_cast<std::uint32_t>(parsed.Strings.size());
  offset = header.EntryOffset + parsed.Strings.size() * sizeof(BlockEntry);

  std::vector<BlockEntry> entries;
  for (const auto& [key, value] : parsed.Strings) {
    BlockEntry entry{};
    entry.KeyOffset = static_cast<std::uint32_t>(offset);
    offset += key.size() + 1;
    entry.ValueOffset = static_cast<std::uint32_t>(offset);
    entry.ValueLength = static_cast<std::uint32_t>(value.size() + 1);
    offset += value.size() + 1;
    entries.push_back(entry);
  }
  header.Size = Align4(offset);

  std::vector<std::byte> block(header.Size);
  std::memcpy(block.data(), &header, sizeof header);
  if (parsed.Fixed) std::memcpy(block.data() + header.FixedOffset, &*parsed.Fixed, sizeof(VS_FIXEDFILEINFO));
  if (!parsed.Translations.empty())
    std::memcpy(block.data() + header.TranslationOffset, parsed.Translations.data(),
                parsed.Translations.size() * sizeof(VersionTranslation));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::memcpy(block.data() + header.EntryOffset + i * sizeof(BlockEntry), &entries[i], sizeof(BlockEntry));
    const auto& [key, value] = parsed.Strings[i];
    std::memcpy(block.data() + entries[i].KeyOffset, key.c_str(), key.size() + 1);
    std::memcpy(block.data() + entries[i].ValueOffset, value.c_str(), value.size() + 1);
  }
  return block;
}

class ReadHandle {
 public:
  explicit ReadHandle(std::string_view name)
      : handle_(CreateFile(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING)) {}

  bool IsOpen() const { return handle_.IsOpen(); }
  // Exactly count bytes at offset.
  bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) const {
    std::uint32_t done = 0;
    return SetFilePointer(handle_.Get(), static_cast<std::int64_t>(offset), FILE_BEGIN, nullptr) &&
           ReadFile(handle_.Get(), buffer, count, &done) && done == count;
  }

 private:
  UniqueHandle handle_;
};

template <typename T>
T Load(const std::byte* data) {
  T value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

// The text of the file's version section: nullopt with the last error set.
std::optional<std::string> ReadBlockText(std::string_view fileName) {
  const ReadHandle file(fileName);
  if (!file.IsOpen()) return std::nullopt;
  const auto noBlock = [] {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return std::nullopt;
  };
  std::byte header[64];
  if (!file.ReadAt(0, header, sizeof header)) return noBlock();
  // 64-bit little-endian ELF only: the programs this layer builds.
  if (std::memcmp(header, "\x7f" "ELF", 4) != 0 || header[4] != std::byte{2} || header[5] != std::byte{1})
    return noBlock();
  const auto sectionTable = Load<std::uint64_t>(header + 0x28);
  const auto entrySize = Load<std::uint16_t>(header + 0x3A);
  const auto sectionCount = Load<std::uint16_t>(header + 0x3C);
  const auto namesIndex = Load<std::uint16_t>(header + 0x3E);
  if (entrySize < 64 || namesIndex >= sectionCount) return noBlock();

  struct Section {
    std::uint32_t Name;
    std::uint64_t Offset;
    std::uint64_t Size;
  };
  const auto readSection = [&](std::uint32_t index) -> std::optional<Section> {
    std::byte entry[64];
    if (!file.ReadAt(sectionTable + std::uint64_t{index} * entrySize, entry, sizeof entry)) return std::nullopt;
    return Section{Load<std::uint32_t>(entry), Load<std::uint64_t>(entry + 0x18), Load<std::uint64_t>(entry + 0x20)};
  };
  const auto names = readSection(namesIndex);
  if (!names) return noBlock();
  std::string wanted(sectionName);
  wanted.push_back('\0');
  for (std::uint32_t i = 1; i < sectionCount; ++i) {
    const auto section = readSection(i);
    if (!section) return noBlock();
    if (section->Name >= names->Size || names->Size - section->Name < wanted.size()) continue;
    std::string name(wanted.size(), '\0');
    if (!file.ReadAt(names->Offset + section->Name, name.data(), static_cast<std::uint32_t>(name.size())) ||
        name != wanted)
      continue;
    if (section->Size > maxSectionSize) return noBlock();
    std::string text(section->Size, '\0');
    if (!file.ReadAt(section->Offset, text.data(), static_cast<std::uint32_t>(text.size()))) return noBlock();
    // The literal's terminator and any padding behind it are not text.
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
  }
  return noBlock();
}

std::optional<std::vector<std::byte>> ReadBlock(std::string_view fileName) {
  const auto text = ReadBlockText(fileName);
  if (!text) return std::nullopt;
  auto block = CompileVersionBlock(*text);
  if (!block) SetLastError(ERROR_INVALID_DATA);
  return block;
}

}  // namespace

std::optional<std::vector<std::byte>> CompileVersionBlock(std::string_view text) {
  const auto parsed = Parse(text);
  if (!parsed) return std::nullopt;
  return Compile(*parsed);
}

std::uint32_t GetFileVersionInfoSize(std::string_view fileName, std::uint32_t* handle) {
  if (handle) *handle = 0;
  const auto block = ReadBlock(fileName);
  return block ? static_cast<std::uint32_t>(block->size()) : 0;
}

bool GetFileVersionInfo(std::string_view fileName, std::uint32_t /*handle*/, std::uint32_t size,
                        void* data) {
  const auto block = ReadBlock(fileName);
  if (!block) return false;
  // A cut block would point past its own end.
  if (size < block->size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  std::memcpy(data, block->data(), block->size());
  return true;
}

bool VerQueryValue(const void* block, std::string_view subBlock, const void** buffer,
                   std::uint32_t* length) {
  const auto* bytes = static_cast<const std::byte*>(block);
  const auto header = Load<BlockHeader>(bytes);
  if (std::memcmp(header.Magic, blockMagic, sizeof blockMagic) != 0) return false;
  const auto found = [&](const void* value, std::uint32_t size) {
    if (buffer) *buffer = value;
    if (length) *length = size;
    return true;
  };
  const std::string path = cl::AnsiUpperCase(subBlock);
  if (path == "\\") {
    if (header.FixedOffset == 0) return false;
    return found(bytes + header.FixedOffset, sizeof(VS_FIXEDFILEINFO));
  }
  if (path == "\\VARFILEINFO\\TRANSLATION") {
    if (header.TranslationCount == 0) return false;
    return found(bytes + header.TranslationOffset,
                 header.TranslationCount * static_cast<std::uint32_t>(sizeof(VersionTranslation)));
  }
  constexpr std::string_view strings = "\\STRINGFILEINFO\\";
  if (!path.starts_with(strings)) return false;
  const std::string_view key = std::string_view(path).substr(strings.size());
  for (std::uint32_t i = 0; i < header.EntryCount; ++i) {
    const auto entry = Load<BlockEntry>(bytes + header.EntryOffset + i * sizeof(BlockEntry));
    const char* entryKey = reinterpret_cast<const char*>(bytes + entry.KeyOffset);
    if (cl::AnsiUpperCase(entryKey) == key) return found(bytes + entry.ValueOffset, entry.ValueLength);
  }
  return false;
}

}  // namespace win
