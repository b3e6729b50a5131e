#include "html/document/url_target.h"

namespace html {

void TUrlTarget::Assign(std::optional<std::string_view> url, std::optional<std::string_view> target) {
  if (url) Url = std::string(*url);
  if (target) Target = std::string(*target);
}

void TUrlTarget::Clear() {
  Url.clear();
  Target.clear();
}

}  // namespace html
