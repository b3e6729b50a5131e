#include "platform/core/last_error.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>

namespace win {

namespace {
thread_local std::uint32_t lastError = 0;

// True when some directory on the way to the path's last component is missing
// (or is no directory).
bool ParentMissing(std::string_view nativePath) {
  std::string path(nativePath);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return false;  // the current directory exists
  const std::string parent = slash == 0 ? "/" : path.substr(0, slash);
  struct stat st;
  return stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
}
}  // namespace

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

void SetLastErrorForName(int errnoValue, std::string_view nativePath, NameKind kind) {
  if (errnoValue == ENOENT && ParentMissing(nativePath)) {
    lastError = ERROR_PATH_NOT_FOUND;
  } else if (errnoValue == EEXIST) {
    lastError = kind == NameKind::File ? ERROR_FILE_EXISTS : ERROR_ALREADY_EXISTS;
  } else {
    SetLastErrorFromErrno(errnoValue);
  }
}

}  // namespace win
