#include "utility/sys_error_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "platform/core/short_string.h"

namespace {

struct ErrorName {
  std::int32_t code;
  std::string_view name;
};

// Sorted by code: the list it is generated from is in ascending order, which
// the static_assert below holds it to.
constexpr ErrorName errorNames[] = {
#include "error_names.inc"
};

constexpr bool SortedByCode() {
  for (std::size_t i = 1; i < std::size(errorNames); ++i)
    if (errorNames[i - 1].code >= errorNames[i].code) return false;
  return true;
}
static_assert(SortedByCode(), "the error-name list must be in ascending code order");

std::string_view NameOf(std::int32_t code) {
  const auto* found = std::lower_bound(
      std::begin(errorNames), std::end(errorNames), code,
      [](const ErrorName& entry, std::int32_t c) { return entry.code < c; });
  if (found != std::end(errorNames) && found->code == code) return found->name;
  return "UNKNOWN ERROR CODE";
}

}  // namespace

std::string SysErrorText(std::int32_t code) {
  const std::string_view name = NameOf(code);
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "0x%08X (%d): ", static_cast<std::uint32_t>(code), code);
  std::string text = std::string(prefix) + std::string(name);
  if (text.size() > ShortString::MaxLength) text.resize(ShortString::MaxLength);
  return text;
}
