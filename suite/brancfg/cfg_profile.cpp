#include "suite/brancfg/cfg_profile.h"

#include "platform/core/profile_file.h"

namespace {

constexpr std::string_view fileName = "brancfg.ini";
constexpr std::string_view sectionName = "Config";

}  // namespace

std::optional<std::string> CfgProfile::Read(std::string_view key) const {
  std::string value = win::GetPrivateProfileString(sectionName, key, "", fileName);
  if (value.empty()) return std::nullopt;
  return value;
}

bool CfgProfile::Write(std::string_view key, std::string_view value) const {
  return win::WritePrivateProfileString(sectionName, key, value, fileName);
}
