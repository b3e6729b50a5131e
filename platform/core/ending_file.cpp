#include "platform/core/ending_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/core/file_names.h"
#include "platform/core/last_error.h"

namespace win {

bool IsEndingFileMode(unsigned mode) { return S_ISREG(mode) || S_ISFIFO(mode); }

bool IsEndingNativeFile(const std::string& nativePath) {
  struct stat st {};
  if (stat(nativePath.c_str(), &st) != 0) {
    SetLastErrorForName(errno, nativePath);
    return false;
  }
  if (IsEndingFileMode(st.st_mode)) return true;
  SetLastError(ERROR_FILE_NOT_FOUND);
  return false;
}

bool IsEndingFile(std::string_view name) {
  const auto path = NativeName(name);
  return path && IsEndingNativeFile(*path);
}

}  // namespace win
