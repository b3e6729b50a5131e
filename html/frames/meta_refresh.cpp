#include "html/frames/meta_refresh.h"

#include <limits>

#include "platform/core/ansi_case.h"
#include "platform/core/blank_trim.h"
#include "utility/same_text.h"

namespace html {

std::optional<TMetaRefresh> ParseMetaRefresh(std::string_view httpEquiv, std::string_view content) {
  if (!utl::SameText(cl::Trim(httpEquiv), "refresh")) return std::nullopt;
  const std::size_t semicolon = content.find(';');
  if (semicolon == std::string_view::npos) return std::nullopt;
  const std::string_view number = cl::Trim(content.substr(0, semicolon));
  if (number.empty()) return std::nullopt;
  std::int64_t seconds = 0;
  for (const char ch : number) {
    if (ch < '0' || ch > '9') return std::nullopt;
    seconds = seconds * 10 + (ch - '0');
    // A delay whose milliseconds do not fit the timer's 32 bits is refused.
    if (seconds > std::numeric_limits<std::int32_t>::max() / 1000) return std::nullopt;
  }
  if (seconds <= 0) return std::nullopt;
  const std::string rest = cl::AnsiLowerCase(content.substr(semicolon + 1));
  const std::size_t url = rest.find("url=");
  if (url == std::string::npos) return std::nullopt;
  return TMetaRefresh{static_cast<std::int32_t>(seconds),
                      std::string(cl::Trim(content.substr(semicolon + 1 + url + 4)))};
}

}  // namespace html
