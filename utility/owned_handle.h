#pragma once

#include <utility>

#include "utility/raw_handles.h"

namespace utl {

// A raw handle closed on every way out. The opening calls fill Slot();
// Close() closes at once and tells whether the system's close failed.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) noexcept : handle_(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, noHandle)) {}
  OwnedHandle& operator=(OwnedHandle&&) = delete;
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { CLOSEHANDLE(handle_); }

  Handle Get() const noexcept { return handle_; }
  Handle& Slot() noexcept { return handle_; }
  bool Valid() const noexcept { return handle_ != noHandle; }
  bool Close() noexcept;

 private:
  Handle handle_ = noHandle;
};

}  // namespace utl
