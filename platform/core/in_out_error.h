#pragma once

#include <cstdint>
#include <string>

#include "platform/core/exception.h"

namespace cl {

// The class library's input/output error: a failed file operation and the
// system's error code.
class EInOutError : public Exception {
 public:
  explicit EInOutError(std::uint32_t errorCode)
      : Exception("I/O error " + std::to_string(errorCode)), ErrorCode(errorCode) {}
  EInOutError(std::string message, std::uint32_t errorCode)
      : Exception(std::move(message)), ErrorCode(errorCode) {}

  std::uint32_t ErrorCode;
};

}  // namespace cl
