#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/object.h"

namespace cl {

// The class library's ini file: a private profile file by name, read and
// written key by key.
class TIniFile : public TObject {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const noexcept { return fileName_; }

  std::string ReadString(std::string_view section, std::string_view ident,
                         std::string_view defaultValue) const;
  // Raises cl::Exception when the file cannot be written.
  void WriteString(std::string_view section, std::string_view ident, std::string_view value);

  // A decimal value, or hexadecimal after "$" or "0x" (all 32 bits, so
  // "$80000005" is negative); the default when the key is absent or its value
  // is no number in the 32-bit range.
  std::int32_t ReadInteger(std::string_view section, std::string_view ident,
                           std::int32_t defaultValue) const;
  // Writes the value in decimal; raises as WriteString does.
  void WriteInteger(std::string_view section, std::string_view ident, std::int32_t value);

 private:
  std::string fileName_;
};

}  // namespace cl
