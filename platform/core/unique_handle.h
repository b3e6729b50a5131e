#pragma once

#include <utility>

#include "platform/core/file_handle.h"

namespace win {

// The one owner of a raw file handle: closed on every way out. An opening
// call may fill Slot(); Close() closes at once.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  UniqueHandle& operator=(UniqueHandle&&) = delete;
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  // Keeps the last error, so a close on the way out of a failure never hides
  // what failed.
  ~UniqueHandle();

  HANDLE Get() const noexcept { return handle_; }
  HANDLE& Slot() noexcept { return handle_; }
  bool IsOpen() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
  // False only when the system's close failed; the handle is gone either way.
  bool Close() noexcept;

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace win
