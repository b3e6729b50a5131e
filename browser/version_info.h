#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/version_block.h"

namespace brw {

// The version block of one file, read once at construction.
class tVersionInfo {
 public:
  explicit tVersionInfo(std::string fileName);

  const std::string& FileName() const { return fileName_; }
  bool IsValid() const { return isValid_; }

  // The string of the block's first translation; empty when absent or invalid.
  std::string GetVersionString(std::string_view name) const;
  // Null when the block is invalid or has no such part.
  const win::VS_FIXEDFILEINFO* GetFixedInfo() const;
  const win::VersionTranslation* GetTranslation() const;
  // The first translation as eight lower-case hex digits, language first
  // ("040504e2"); empty without one.
  std::string TranslationKey() const;
  // The fixed file version, most significant word first. Raises cl::Exception
  // when the block has no fixed information.
  std::uint64_t GetFileVersionNumber() const;
  // "FileVersion", else the fixed file version as "a.b.c.d".
  std::string GetFileVersion() const;
  std::string GetReleased() const;

 private:
  std::string fileName_;
  std::uint32_t blockSize_ = 0;
  std::uint32_t blockHandle_ = 0;
  std::unique_ptr<std::byte[]> block_;
  bool isValid_ = false;
};

// "a.b.c.d" from the four 16-bit parts, most significant first.
std::string FormatVersionNumber(std::uint64_t version);

// The file version and release text of a file's block; false, with both
// empty, when it has no block or the block names no file version.
bool GetVersionStrings(const std::string& fileName, std::string& fileVersion, std::string& released);

}  // namespace brw
