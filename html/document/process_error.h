#pragma once

#include "platform/core/exception.h"

namespace html {

// A section cannot be laid out ("Table has too many Columns"): the section is
// dropped from the layout and the message reported once.
class EProcessError : public cl::Exception {
 public:
  using cl::Exception::Exception;
};

}  // namespace html
