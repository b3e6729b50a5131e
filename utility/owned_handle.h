#pragma once

#include "platform/core/unique_handle.h"
#include "utility/raw_handles.h"

namespace utl {

static_assert(noHandle == win::INVALID_HANDLE_VALUE);

// The platform's handle owner in the utility's manner: Close() is TRUE when
// the system's close failed, as the raw-handle routines report failure.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) noexcept : owner_(handle) {}

  Handle Get() const noexcept { return owner_.Get(); }
  Handle& Slot() noexcept { return owner_.Slot(); }
  bool Valid() const noexcept { return owner_.IsOpen(); }
  bool Close() noexcept { return !owner_.Close(); }

 private:
  win::UniqueHandle owner_;
};

}  // namespace utl
