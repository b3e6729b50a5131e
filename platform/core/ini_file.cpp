#include "platform/core/ini_file.h"

#include "platform/core/exception.h"
#include "platform/core/int_text.h"
#include "platform/core/profile_file.h"

namespace cl {

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view defaultValue) const {
  return win::GetPrivateProfileString(section, ident, defaultValue, fileName_);
}

void TIniFile::WriteString(std::string_view section, std::string_view ident,
                           std::string_view value) {
  if (!win::WritePrivateProfileString(section, ident, value, fileName_))
    throw Exception("Unable to write to " + fileName_);
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view ident,
                                   std::int32_t defaultValue) const {
  return TryStrToInt(ReadString(section, ident, "")).value_or(defaultValue);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view ident, std::int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

}  // namespace cl
