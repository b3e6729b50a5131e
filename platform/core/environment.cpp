#include "platform/core/environment.h"

#include <cstdlib>

#include "platform/core/cp1250.h"
#include "platform/core/file_names.h"

extern char** environ;

namespace win {

namespace {
std::string ToSystemText(const char* value) {
  if (auto text = Utf8ToCp1250(value)) return *text;
  return value;
}
}  // namespace

std::optional<std::string> GetEnvironmentVariable(std::string_view name) {
  if (name.empty() || name.find('=') != std::string_view::npos) return std::nullopt;
  const std::string key(name);
  if (const char* exact = std::getenv(key.c_str())) return ToSystemText(exact);
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string_view pair(*entry);
    const auto equals = pair.find('=');
    if (equals == std::string_view::npos) continue;
    if (SameNameIgnoringCase(pair.substr(0, equals), name)) return ToSystemText(*entry + equals + 1);
  }
  return std::nullopt;
}

}  // namespace win
