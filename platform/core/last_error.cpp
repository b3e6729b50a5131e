#include "platform/core/last_error.h"

#include <cerrno>

namespace win {

namespace {
thread_local std::uint32_t lastError = 0;
}

std::uint32_t GetLastError() { return lastError; }

void SetLastError(std::uint32_t code) { lastError = code; }

void SetLastErrorFromErrno(int errnoValue) {
  std::uint32_t code;
  switch (errnoValue) {
    case 0: code = 0; break;
    case ENOENT: code = 2; break;
    case ENOTDIR: code = 3; break;
    case EMFILE: code = 4; break;
    case EACCES:
    case EPERM:
    case EISDIR: code = 5; break;
    case EBADF: code = 6; break;
    case ENOMEM: code = 8; break;
    case EXDEV: code = 17; break;
    case EROFS: code = 19; break;
    case EEXIST: code = 80; break;
    case EINVAL: code = 87; break;
    case ENOSPC:
    case EDQUOT: code = 112; break;
    case ENOTEMPTY: code = 145; break;
    case EBUSY: code = 170; break;
    case ENAMETOOLONG: code = 206; break;
    case EIO: code = 1117; break;
    default: code = 31; break;  // ERROR_GEN_FAILURE
  }
  lastError = code;
}

}  // namespace win
