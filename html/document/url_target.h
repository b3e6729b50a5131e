#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/core/object.h"

namespace html {

// A link: the address and the frame it goes to.
class TUrlTarget : public cl::TObject {
 public:
  TUrlTarget() = default;
  TUrlTarget(std::string url, std::string target) : Url(std::move(url)), Target(std::move(target)) {}

  // Each value given replaces its field; one not given leaves it as it is.
  void Assign(std::optional<std::string_view> url, std::optional<std::string_view> target);
  void Clear();

  std::string Url;     // as written in HREF; empty = none
  std::string Target;  // frame name from TARGET; empty = none
};

}  // namespace html
