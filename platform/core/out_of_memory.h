#pragma once

#include "platform/core/exception.h"

namespace cl {

// Raised when memory for a large block (bitmap rows and the like) cannot be had.
class EOutOfMemory : public Exception {
 public:
  EOutOfMemory() : Exception("Out of memory") {}
};

}  // namespace cl
