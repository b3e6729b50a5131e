#include "platform/core/file_sharing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <initializer_list>

#include "platform/core/last_error.h"
#include "platform/core/posix_retry.h"

namespace win {

namespace {

constexpr off_t markerBase = off_t(1) << 62;
constexpr int maxClaimAttempts = 100;
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

RemovalClaim::RemovalClaim(const std::string& nativePath) { ClaimRepeatedly(nativePath); }

RemovalClaim::RemovalClaim(const std::string& nativePath, ForReplacement) : replacing_(true) {
  ClaimRepeatedly(nativePath);
}

void RemovalClaim::ClaimRepeatedly(const std::string& nativePath) {
  // The claim must sit on the file the path names when it is removed: a file
  // opened just before another removal took the path away would guard nothing
  // and let the removal take the next file of that name, held or not.
  for (int attempt = 0; attempt < maxClaimAttempts; ++attempt) {
    if (Claim(nativePath)) return;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    held_ = false;
  }
  held_ = true;  // the name keeps moving: as busy as a held file
}

// True when done: claimed, found held, or found missing or no regular file.
bool RemovalClaim::Claim(const std::string& nativePath) {
  struct stat st;
  if (lstat(nativePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return true;
  const auto openAs = [&](int mode) {
    return RetryOnInterrupt([&] { return open(nativePath.c_str(), mode | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK); });
  };
  const auto stillNamed = [&](int fd) {
    struct stat byName, byHandle;
    return lstat(nativePath.c_str(), &byName) == 0 && fstat(fd, &byHandle) == 0 &&
           byName.st_dev == byHandle.st_dev && byName.st_ino == byHandle.st_ino;
  };
  // A replacement leaves readers and writers that share writing alone.
  const std::initializer_list<Marker> all = {readMarker, writeMarker, denyReadMarker, denyWriteMarker};
  const std::initializer_list<Marker> denyingWrites = {denyWriteMarker};
  const std::initializer_list<Marker>& markers = replacing_ ? denyingWrites : all;
  fd_ = openAs(O_RDWR);
  if (fd_ < 0) fd_ = openAs(O_WRONLY);
  if (fd_ >= 0) {
    for (const Marker m : markers) {
      struct flock lock {};
      lock.l_type = F_WRLCK;
      lock.l_whence = SEEK_SET;
      lock.l_start = markerBase + m;
      lock.l_len = 1;
      if (RetryOnInterrupt([&] { return fcntl(fd_, F_OFD_SETLK, &lock); }) != 0) held_ = true;
    }
    return held_ || stillNamed(fd_);
  }
  // Without write access no claim can be made; a test is the best there is.
  const int fd = openAs(O_RDONLY);
  if (fd < 0) return true;
  for (const Marker m : markers) held_ = held_ || MarkerTaken(fd, m);
  close(fd);
  return true;
}

RemovalClaim::~RemovalClaim() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace win
