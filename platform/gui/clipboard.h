#pragma once

#include <string>
#include <string_view>

namespace cl {

// The system clipboard's text, in code page 1250 on this side.
class TClipboard {
 public:
  std::string AsText() const;
  void SetAsText(std::string_view text);
  bool HasText() const;
  void Clear();
};

TClipboard& Clipboard();

}  // namespace cl
