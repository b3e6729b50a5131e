#include "dialogs/name_format.h"

namespace dlg {

std::string FormatName(std::string_view pattern, std::string_view name) {
  std::string out;
  bool used = false;
  for (std::size_t pos = 0; pos < pattern.size(); ++pos) {
    if (pattern[pos] != '%') {
      out += pattern[pos];
      continue;
    }
    const char next = pos + 1 < pattern.size() ? pattern[pos + 1] : '\0';
    if (next == '%') {
      out += '%';
    } else if (next == 's' && !used) {
      out += name;
      used = true;
    } else {
      return std::string(pattern);
    }
    ++pos;
  }
  return out;
}

}  // namespace dlg
