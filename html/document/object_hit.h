#pragma once

#include <cstdint>

namespace html {
class TImageObj;

// An image under a point, and the point inside it.
struct TObjectHit {
  TImageObj* Image = nullptr;
  int32_t XOff = 0;
  int32_t YOff = 0;
};

}  // namespace html
