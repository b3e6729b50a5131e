#include "platform/core/test_support/unused_x_display.h"

#include <filesystem>

namespace cl::testing {

std::string UnusedXDisplay() {
  for (int number = 100;; ++number) {
    const std::string n = std::to_string(number);
    std::error_code ignored;
    if (!std::filesystem::exists("/tmp/.X11-unix/X" + n, ignored) &&
        !std::filesystem::exists("/tmp/.X" + n + "-lock", ignored))
      return ":" + n;
  }
}

}  // namespace cl::testing
