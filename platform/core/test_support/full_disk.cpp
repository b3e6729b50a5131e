#include "platform/core/test_support/full_disk.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace cl::testing {

bool MountSmallFileSystem(const std::string& dir) {
  return unshare(CLONE_NEWNS) == 0 && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") == 0;
}

void FillFileSystem(const std::string& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  const std::string block(4096, 'f');
  while (::write(fd, block.data(), block.size()) > 0) {
  }
  // The last partial block, a byte at a time.
  while (::write(fd, block.data(), 1) > 0) {
  }
  ::close(fd);
}

}  // namespace cl::testing
