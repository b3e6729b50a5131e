#pragma once

#include <cstdint>

#include "platform/core/object.h"

namespace dlg {

// Base of the address objects inside the library: two flag bytes after the
// class pointer.
class tAddressItem : public cl::TObject {
 public:
  std::uint8_t Reserved = 0;
  std::uint8_t Taken = 0;  // non-zero while the row's address is selected
};

}  // namespace dlg
