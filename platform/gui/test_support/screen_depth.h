#pragma once

#include "platform/gui/screen.h"

namespace cl::testing {

// The screen reports bitsPerPixel while the guard lives and the depth it
// reported before once it goes, also when the test fails in between: the
// screen is one for the whole process.
class ScopedScreenDepth {
 public:
  explicit ScopedScreenDepth(int bitsPerPixel) : saved_(Screen().BitsPerPixel()) {
    Screen().SetBitsPerPixel(bitsPerPixel);
  }
  ~ScopedScreenDepth() { Screen().SetBitsPerPixel(saved_); }
  ScopedScreenDepth(const ScopedScreenDepth&) = delete;
  ScopedScreenDepth& operator=(const ScopedScreenDepth&) = delete;

 private:
  const int saved_;
};

}  // namespace cl::testing
