#include "browser/version_info.h"

#include <cstdio>

#include "platform/core/exception.h"

namespace brw {

tVersionInfo::tVersionInfo(std::string fileName) : fileName_(std::move(fileName)) {
  blockSize_ = win::GetFileVersionInfoSize(fileName_, &blockHandle_);
  if (blockSize_ == 0) return;
  block_ = std::make_unique<std::byte[]>(blockSize_);
  isValid_ = win::GetFileVersionInfo(fileName_, blockHandle_, blockSize_, block_.get());
}

std::string tVersionInfo::GetVersionString(std::string_view name) const {
  if (!isValid_) return {};
  const std::string path = "\\StringFileInfo\\" + TranslationKey() + "\\" + std::string(name);
  const void* value = nullptr;
  std::uint32_t length = 0;
  if (!win::VerQueryValue(block_.get(), path, &value, &length)) return {};
  return std::string(static_cast<const char*>(value));
}

const win::VS_FIXEDFILEINFO* tVersionInfo::GetFixedInfo() const {
  const void* value = nullptr;
  std::uint32_t length = 0;
  if (!isValid_ || !win::VerQueryValue(block_.get(), "\\", &value, &length)) return nullptr;
  return static_cast<const win::VS_FIXEDFILEINFO*>(value);
}

const win::VersionTranslation* tVersionInfo::GetTranslation() const {
  const void* value = nullptr;
  std::uint32_t length = 0;
  if (!isValid_ || !win::VerQueryValue(block_.get(), "\\VarFileInfo\\Translation", &value, &length))
    return nullptr;
  return static_cast<const win::VersionTranslation*>(value);
}

std::string tVersionInfo::TranslationKey() const {
  const auto* translation = GetTranslation();
  if (!translation) return {};
  char key[9];
  std::snprintf(key, sizeof key, "%8.8x",
                static_cast<unsigned>(translation->CodePage | translation->Language << 16));
  return key;
}

std::uint64_t tVersionInfo::GetFileVersionNumber() const {
  const auto* fixed = GetFixedInfo();
  if (!fixed) throw cl::Exception("The version block of " + fileName_ + " has no fixed information");
  return std::uint64_t{fixed->dwFileVersionMS} << 32 | fixed->dwFileVersionLS;
}

std::string tVersionInfo::GetFileVersion() const {
  std::string version = GetVersionString("FileVersion");
  if (version.empty() && isValid_) version = FormatVersionNumber(GetFileVersionNumber());
  return version;
}

std::string tVersionInfo::GetReleased() const { return GetVersionString("Released"); }

std::string FormatVersionNumber(std::uint64_t version) {
  char text[32];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", static_cast<unsigned>(version >> 48 & 0xFFFF),
                static_cast<unsigned>(version >> 32 & 0xFFFF), static_cast<unsigned>(version >> 16 & 0xFFFF),
                static_cast<unsigned>(version & 0xFFFF));
  return text;
}

bool GetVersionStrings(const std::string& fileName, std::string& fileVersion, std::string& released) {
  try {
    const tVersionInfo info(fileName);
    if (!info.IsValid()) cl::Abort();
    fileVersion = info.GetFileVersion();
    released = info.GetReleased();
    return true;
  } catch (const cl::Exception&) {
    fileVersion.clear();
    released.clear();
    return false;
  }
}

}  // namespace brw
