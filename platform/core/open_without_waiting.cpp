#include "platform/core/open_without_waiting.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/posix_retry.h"

namespace win {

int OpenWithoutWaiting(const std::string& path, int flags, int mode) {
  const int fd = RetryOnInterrupt([&] { return open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY, mode); });
  if (fd < 0) return fd;
  const int status = fcntl(fd, F_GETFL);
  if (status == -1 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    const int error = errno;
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

}  // namespace win
