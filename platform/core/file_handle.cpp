#include "platform/core/file_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <unordered_set>

#include "platform/core/dos_time.h"
#include "platform/core/file_names.h"
#include "platform/core/file_sharing.h"
#include "platform/core/last_error.h"
#include "platform/core/open_without_waiting.h"
#include "platform/core/posix_retry.h"

namespace win {

namespace {

// Handles 0 to 4 are never files of the layer.
constexpr int lowestHandle = 5;

bool Fail(int errnoValue) {
  SetLastErrorFromErrno(errnoValue);
  return false;
}

// A handle variable left at 0 or holding a standard stream's number must not
// reach the terminal: below 5 nothing is a handle of the layer.
bool Refused(HANDLE handle) {
  if (handle >= lowestHandle) return false;
  SetLastError(ERROR_INVALID_HANDLE);
  return true;
}

// Write-only handles sit on read-write descriptors so that they can hold
// their sharing locks; the layer itself refuses their reads.
class WriteOnlyHandles {
 public:
  void Set(int fd, bool writeOnly) {
    const std::lock_guard<std::mutex> guard(mutex_);
    if (writeOnly) {
      handles_.insert(fd);
    } else {
      handles_.erase(fd);
    }
  }
  bool Contains(int fd) {
    const std::lock_guard<std::mutex> guard(mutex_);
    return handles_.count(fd) != 0;
  }

 private:
  std::mutex mutex_;
  std::unordered_set<int> handles_;
};

WriteOnlyHandles& WriteOnly() {
  static WriteOnlyHandles table;
  return table;
}

// Reopens allowed when the name keeps moving to other files under an open.
constexpr int maxReopens = 100;

bool NameGivesFile(const std::string& path, int fd) {
  struct stat byName, byHandle;
  return stat(path.c_str(), &byName) == 0 && fstat(fd, &byHandle) == 0 &&
         byName.st_dev == byHandle.st_dev && byName.st_ino == byHandle.st_ino;
}

// A FIFO opened without waiting reads as ended while no one writes and
// refuses a writer while no one reads, as a pipe nobody serves does.
int OpenDescriptor(const std::string& path, int flags) { return OpenWithoutWaiting(path, flags); }

}  // namespace

HANDLE CreateFile(std::string_view name, std::uint32_t access, std::uint32_t share,
                  std::uint32_t disposition) {
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const auto path = NativeName(name);
  if (!path) return INVALID_HANDLE_VALUE;
  const bool read = access & GENERIC_READ;
  const bool write = access & GENERIC_WRITE;
  const bool truncate = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;

  for (int attempt = 0;; ++attempt) {
    struct stat st;
    const bool exists = stat(path->c_str(), &st) == 0;
    if (exists) {
      if (S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
      }
      if (disposition == CREATE_NEW) {
        SetLastError(ERROR_FILE_EXISTS);
        return INVALID_HANDLE_VALUE;
      }
      // The read-only attribute holds for every user, root included.
      if ((write || truncate) && !(st.st_mode & S_IWUSR)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
      }
    } else if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) {
      SetLastErrorForName(errno, *path);
      return INVALID_HANDLE_VALUE;
    }

    int flags = O_CLOEXEC;
    if (disposition == CREATE_NEW) flags |= O_CREAT | O_EXCL;
    if (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) flags |= O_CREAT;
    // Read and written through one handle, a FIFO is its own peer: its reads
    // would wait for bytes only it can send, its writes feed only itself.
    const bool fifo = exists && S_ISFIFO(st.st_mode);
    if (fifo && read && write) {
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
    int fd = -1;
    if (fifo && write) {
      fd = OpenDescriptor(*path, flags | O_WRONLY);
    } else if (write || truncate) {
      fd = OpenDescriptor(*path, flags | O_RDWR);
      if (fd < 0 && errno == EACCES && !read) fd = OpenDescriptor(*path, flags | O_WRONLY);
    } else {
      fd = OpenDescriptor(*path, flags | O_RDONLY);
    }
    if (fd < 0) {
      SetLastErrorForName(errno, *path);
      return INVALID_HANDLE_VALUE;
    }
    const int handle = fcntl(fd, F_DUPFD_CLOEXEC, lowestHandle);
    const int dupError = errno;
    close(fd);
    if (handle < 0) {
      SetLastErrorFromErrno(dupError);
      return INVALID_HANDLE_VALUE;
    }
    if (!AcquireSharing(handle, read, write, share & FILE_SHARE_READ, share & FILE_SHARE_WRITE)) {
      close(handle);
      return INVALID_HANDLE_VALUE;
    }
    // The sharing sits on the file the name gave at open. When the name was
    // deleted or given to another file meanwhile it guards nothing (a lock
    // file's releaser deletes it after closing), so the name is opened again.
    // Once held, the sharing keeps deleters and renamers off the name.
    if (!NameGivesFile(*path, handle)) {
      close(handle);
      if (attempt < maxReopens) continue;
      SetLastError(ERROR_SHARING_VIOLATION);
      return INVALID_HANDLE_VALUE;
    }
    // Emptied only once the sharing allows it, so a refused open leaves the data.
    if (truncate && exists && RetryOnInterrupt([&] { return ftruncate(handle, 0); }) != 0) {
      SetLastErrorFromErrno(errno);
      close(handle);
      return INVALID_HANDLE_VALUE;
    }
    WriteOnly().Set(handle, write && !read);
    return handle;
  }
}

bool CloseHandle(HANDLE handle) {
  if (Refused(handle)) return false;
  WriteOnly().Set(handle, false);
  // The descriptor is gone even when close reports EINTR.
  return close(handle) == 0 || errno == EINTR || Fail(errno);
}

bool ReadFile(HANDLE handle, void* buffer, std::uint32_t count, std::uint32_t* done) {
  if (done) *done = 0;
  if (Refused(handle)) return false;
  if (WriteOnly().Contains(handle)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  std::uint32_t total = 0;
  auto* bytes = static_cast<char*>(buffer);
  while (total < count) {
    const ssize_t n = RetryOnInterrupt([&] { return read(handle, bytes + total, count - total); });
    if (n < 0) {
      if (done) *done = total;
      return Fail(errno);
    }
    if (n == 0) break;
    total += std::uint32_t(n);
  }
  if (done) *done = total;
  return true;
}

bool WriteFile(HANDLE handle, const void* buffer, std::uint32_t count, std::uint32_t* done) {
  if (done) *done = 0;
  if (Refused(handle)) return false;
  std::uint32_t total = 0;
  const auto* bytes = static_cast<const char*>(buffer);
  while (total < count) {
    const ssize_t n = RetryOnInterrupt([&] { return write(handle, bytes + total, count - total); });
    if (n <= 0) {
      if (done) *done = total;
      // An open handle without write access is denied, as a read-only handle is.
      if (n < 0 && errno == EBADF && fcntl(handle, F_GETFD) != -1) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
      }
      return Fail(n < 0 ? errno : ENOSPC);
    }
    total += std::uint32_t(n);
  }
  if (done) *done = total;
  return true;
}

bool SetFilePointer(HANDLE handle, std::int64_t distance, int method, std::int64_t* position) {
  const int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : SEEK_END;
  if (Refused(handle)) return false;
  if (method < FILE_BEGIN || method > FILE_END) return Fail(EINVAL);
  std::int64_t origin = 0;
  if (whence != SEEK_SET) {
    struct stat st;
    if (whence == SEEK_END) {
      if (fstat(handle, &st) != 0) return Fail(errno);
      origin = st.st_size;
    } else {
      origin = lseek(handle, 0, SEEK_CUR);
      if (origin < 0) return Fail(errno);
    }
  }
  if (origin + distance < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return false;
  }
  const off_t result = lseek(handle, origin + distance, SEEK_SET);
  if (result < 0) return Fail(errno);
  if (position) *position = result;
  return true;
}

bool SetEndOfFile(HANDLE handle) {
  if (Refused(handle)) return false;
  const off_t here = lseek(handle, 0, SEEK_CUR);
  if (here < 0) return Fail(errno);
  return RetryOnInterrupt([&] { return ftruncate(handle, here); }) == 0 || Fail(errno);
}

bool FlushFileBuffers(HANDLE handle) {
  if (Refused(handle)) return false;
  return RetryOnInterrupt([&] { return fsync(handle); }) == 0 || Fail(errno);
}

bool GetFileSize(HANDLE handle, std::int64_t* size) {
  if (Refused(handle)) return false;
  struct stat st;
  if (fstat(handle, &st) != 0) return Fail(errno);
  if (size) *size = st.st_size;
  return true;
}

bool GetFileTime(HANDLE handle, std::uint32_t* dosTime) {
  if (Refused(handle)) return false;
  struct stat st;
  if (fstat(handle, &st) != 0) return Fail(errno);
  if (dosTime) *dosTime = DosTimeFromUnix(st.st_mtime);
  return true;
}

bool SetFileTime(HANDLE handle, std::uint32_t dosTime) {
  if (Refused(handle)) return false;
  const auto t = UnixFromDosTime(dosTime);
  if (!t) return Fail(EINVAL);
  const struct timespec times[2] = {{0, UTIME_OMIT}, {*t, 0}};
  return futimens(handle, times) == 0 || Fail(errno);
}

bool SameFile(HANDLE a, HANDLE b) {
  if (Refused(a) || Refused(b)) return false;
  struct stat sa, sb;
  return fstat(a, &sa) == 0 && fstat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

}  // namespace win
