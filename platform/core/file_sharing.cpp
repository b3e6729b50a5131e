#include "platform/core/file_sharing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/last_error.h"
#include "platform/core/posix_retry.h"

namespace win {

namespace {

constexpr off_t markerBase = off_t(1) << 62;
enum Marker : off_t { readMarker = 0, writeMarker = 1, denyReadMarker = 2, denyWriteMarker = 3 };

bool HoldMarker(int fd, Marker marker) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = markerBase + marker;
  lock.l_len = 1;
  return RetryOnInterrupt([&] { return fcntl(fd, F_OFD_SETLK, &lock); }) == 0;
}

// True when a description other than fd's holds a lock on the marker.
bool MarkerTaken(int fd, Marker marker) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = markerBase + marker;
  lock.l_len = 1;
  if (RetryOnInterrupt([&] { return fcntl(fd, F_OFD_GETLK, &lock); }) != 0) return false;
  return lock.l_type != F_UNLCK;
}

}  // namespace

bool AcquireSharing(int fd, bool read, bool write, bool shareRead, bool shareWrite) {
  // A descriptor opened write-only cannot hold read locks; it is the rare
  // file its owner may write but not read, and it then shares freely.
  const int flags = fcntl(fd, F_GETFL);
  const bool canHold = flags != -1 && (flags & O_ACCMODE) != O_WRONLY;
  // Markers first, tests second: of two racing opens at least one sees the other.
  if (canHold) {
    if ((read && !HoldMarker(fd, readMarker)) || (write && !HoldMarker(fd, writeMarker)) ||
        (!shareRead && !HoldMarker(fd, denyReadMarker)) ||
        (!shareWrite && !HoldMarker(fd, denyWriteMarker))) {
      SetLastError(ERROR_SHARING_VIOLATION);
      return false;
    }
  }
  if ((read && MarkerTaken(fd, denyReadMarker)) || (write && MarkerTaken(fd, denyWriteMarker)) ||
      (!shareRead && MarkerTaken(fd, readMarker)) ||
      (!shareWrite && MarkerTaken(fd, writeMarker))) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return false;
  }
  return true;
}

RemovalClaim::RemovalClaim(const std::string& nativePath) {
  struct stat st;
  if (lstat(nativePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  const auto openAs = [&](int mode) {
    return RetryOnInterrupt([&] { return open(nativePath.c_str(), mode | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK); });
  };
  fd_ = openAs(O_RDWR);
  if (fd_ < 0) fd_ = openAs(O_WRONLY);
  if (fd_ >= 0) {
    for (const Marker m : {readMarker, writeMarker, denyReadMarker, denyWriteMarker}) {
      struct flock lock {};
      lock.l_type = F_WRLCK;
      lock.l_whence = SEEK_SET;
      lock.l_start = markerBase + m;
      lock.l_len = 1;
      if (RetryOnInterrupt([&] { return fcntl(fd_, F_OFD_SETLK, &lock); }) != 0) held_ = true;
    }
    return;
  }
  // Without write access no claim can be made; a test is the best there is.
  const int fd = openAs(O_RDONLY);
  if (fd < 0) return;
  for (const Marker m : {readMarker, writeMarker, denyReadMarker, denyWriteMarker})
    held_ = held_ || MarkerTaken(fd, m);
  close(fd);
}

RemovalClaim::~RemovalClaim() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace win
