#include "platform/core/file_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/last_error.h"

namespace cl {

namespace {

// The one place where the stream reaches the system, to be switched to the
// kernel layer's handle calls (path translation, sharing) once they exist.
std::int32_t OpenStreamHandle(const std::string& fileName, std::uint16_t mode) {
  int flags = O_CLOEXEC;
  if (mode == fmCreate) {
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (mode & 3) {
      case fmOpenWrite: flags |= O_WRONLY; break;
      case fmOpenReadWrite: flags |= O_RDWR; break;
      default: flags |= O_RDONLY; break;
    }
  }
  int fd;
  do {
    fd = ::open(fileName.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) win::SetLastErrorFromErrno(errno);
  return fd;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode)
    : handle_(OpenStreamHandle(fileName, mode)) {
  if (handle_ >= 0) return;
  if (mode == fmCreate) throw EFCreateError("Cannot create file " + fileName);
  throw EFOpenError("Cannot open file " + fileName);
}

TFileStream::~TFileStream() {
  if (handle_ >= 0) ::close(handle_);
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  ssize_t n;
  do {
    n = ::read(handle_, buffer, static_cast<std::size_t>(count));
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    win::SetLastErrorFromErrno(errno);
    return -1;
  }
  return static_cast<std::int32_t>(n);
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  const char* bytes = static_cast<const char*>(buffer);
  std::int32_t written = 0;
  while (written < count) {
    const ssize_t n = ::write(handle_, bytes + written, static_cast<std::size_t>(count - written));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n < 0) win::SetLastErrorFromErrno(errno);
      break;
    }
    written += static_cast<std::int32_t>(n);
  }
  return written;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                        : SEEK_END;
  const off_t result = ::lseek(handle_, static_cast<off_t>(offset), whence);
  if (result < 0) {
    win::SetLastErrorFromErrno(errno);
    return -1;
  }
  return result;
}

void TFileStream::SetSize(std::int64_t size) {
  if (::ftruncate(handle_, static_cast<off_t>(size)) != 0) {
    win::SetLastErrorFromErrno(errno);
    throw EStreamError("Stream write error");
  }
  if (Position() > size) SetPosition(size);
}

}  // namespace cl
