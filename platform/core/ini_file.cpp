#include "platform/core/ini_file.h"

#include "platform/core/exception.h"
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

}  // namespace cl
