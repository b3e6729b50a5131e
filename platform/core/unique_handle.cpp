#include "platform/core/unique_handle.h"

#include "platform/core/last_error.h"

namespace win {

UniqueHandle::~UniqueHandle() {
  if (!IsOpen()) return;
  const std::uint32_t error = GetLastError();
  CloseHandle(handle_);
  SetLastError(error);
}

bool UniqueHandle::Close() noexcept {
  if (!IsOpen()) return true;
  return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
}

}  // namespace win
