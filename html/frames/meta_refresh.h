#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace html {

// A META refresh: HTTP-EQUIV "refresh" with a CONTENT of a whole number of
// seconds above 0 before ";" and a "url=" after it.
struct TMetaRefresh {
  std::int32_t Seconds = 0;
  std::string Link;  // the text after "url=", blanks cut
};
std::optional<TMetaRefresh> ParseMetaRefresh(std::string_view httpEquiv, std::string_view content);

}  // namespace html
