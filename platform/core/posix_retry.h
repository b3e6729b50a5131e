#pragma once

#include <cerrno>

namespace win {

// Runs a system call again while a signal interrupts it.
template <typename Call>
auto RetryOnInterrupt(Call&& call) {
  for (;;) {
    auto result = call();
    if (result != -1 || errno != EINTR) return result;
  }
}

}  // namespace win
