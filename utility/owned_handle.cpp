#include "utility/owned_handle.h"

#include "platform/core/file_handle.h"

namespace utl {

bool OwnedHandle::Close() noexcept {
  if (handle_ == noHandle) return false;
  const bool failed = !win::CloseHandle(handle_);
  handle_ = noHandle;
  return failed;
}

}  // namespace utl
