#pragma once

#include <cstdint>

#include "platform/core/persistent.h"

namespace cl {

// A picture: a bitmap, or an animated image that draws itself.
class TGraphic : public TPersistent {
 public:
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual bool Empty() const = 0;
};

}  // namespace cl
