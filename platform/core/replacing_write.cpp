#include "platform/core/replacing_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/core/file_sharing.h"
#include "platform/core/last_error.h"
#include "platform/core/posix_retry.h"

namespace win {

namespace {

// Handles 0 to 4 are never files of the layer.
constexpr int lowestHandle = 5;
// As the kernel allows.
constexpr int maxLinkHops = 40;
// A long name keeps only its start in the new file's name, which must fit.
constexpr std::size_t keptNameLength = 200;
constexpr int maxNameAttempts = 1000;

bool FailFor(int errnoValue, const std::string& path, NameKind kind = NameKind::File) {
  SetLastErrorForName(errnoValue, path, kind);
  return false;
}

bool Refuse(std::uint32_t code) {
  SetLastError(code);
  return false;
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string LastComponentOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path a name leads to through symbolic links; a dangling link leads to
// the name it holds. nullopt with errno for a loop or an unreadable link.
std::optional<std::string> FollowLinks(std::string path) {
  for (int hop = 0; hop < maxLinkHops; ++hop) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    for (;;) {
      const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
      if (n < 0) return std::nullopt;
      if (static_cast<std::size_t>(n) < buffer.size()) {
        buffer.resize(static_cast<std::size_t>(n));
        break;
      }
      buffer.resize(buffer.size() * 2);
    }
    const std::string link(buffer.begin(), buffer.end());
    path = !link.empty() && link.front() == '/' ? link : DirectoryOf(path) + link;
  }
  errno = ELOOP;
  return std::nullopt;
}

// The start of every name the new files of a target get beside it.
std::string NamePrefix(const std::string& target) {
  return "." + LastComponentOf(target).substr(0, keptNameLength) + ".~";
}

std::string NextName(const std::string& target) {
  static std::atomic<unsigned> serial{0};
  return DirectoryOf(target) + NamePrefix(target) + std::to_string(getpid()) + "-" + std::to_string(serial++);
}

// The writer's pid in the rest of such a name ("<pid>-<n>"), nullopt for a
// name of another form.
std::optional<pid_t> WriterOf(std::string_view rest) {
  const auto dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return std::nullopt;
  for (const char c : rest.substr(dash + 1))
    if (c < '0' || c > '9') return std::nullopt;
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + dash, pid);
  if (error != std::errc() || end != rest.data() + dash || pid <= 0) return std::nullopt;
  return pid;
}

// New files of the target that processes left when they were killed; those
// of live processes are theirs.
void RemoveLeftovers(const std::string& target) {
  const std::string directory = DirectoryOf(target);
  DIR* listing = opendir(directory.empty() ? "." : directory.c_str());
  if (listing == nullptr) return;
  const std::string prefix = NamePrefix(target);
  const pid_t self = getpid();
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix)) continue;
    const auto writer = WriterOf(name.substr(prefix.size()));
    if (!writer || *writer == self) continue;
    if (kill(*writer, 0) == 0 || errno != ESRCH) continue;
    unlinkat(dirfd(listing), entry->d_name, 0);
  }
  closedir(listing);
}

// Moves a descriptor to the handles' range; -1 (errno kept) on failure.
int AsHandle(int fd) {
  if (fd < 0) return -1;
  const int handle = fcntl(fd, F_DUPFD_CLOEXEC, lowestHandle);
  const int error = errno;
  close(fd);
  errno = error;
  return handle;
}

bool ProcFdUsable() { return access("/proc/self/fd", X_OK) == 0; }

std::string ProcFdName(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

void SyncDirectory(const std::string& directory) {
  const int fd = RetryOnInterrupt(
      [&] { return open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
  if (fd < 0) return;
  RetryOnInterrupt([&] { return fsync(fd); });
  close(fd);
}

}  // namespace

std::optional<std::string> LinkTarget(const std::string& nativePath) {
  auto target = FollowLinks(nativePath);
  if (!target) FailFor(errno, nativePath);
  return target;
}

ReplacingWrite::ReplacingWrite(const std::string& nativePath, Refused refused) : refused_(refused) {
  const auto target = FollowLinks(nativePath);
  if (!target) {
    FailFor(errno, nativePath);
    return;
  }
  target_ = *target;
  struct stat st;
  const bool exists = stat(target_.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) {
    FailFor(errno, target_);
    return;
  }
  if (exists && S_ISDIR(st.st_mode)) {
    Refuse(ERROR_ACCESS_DENIED);
    return;
  }
  if (exists && !S_ISREG(st.st_mode)) {
    // The read-only attribute holds here too, for every user.
    if (!(st.st_mode & S_IWUSR)) {
      Refuse(ERROR_ACCESS_DENIED);
      return;
    }
    inPlace_ = true;
    // A FIFO without a reader fails at once rather than waiting for one.
    fd_ = AsHandle(RetryOnInterrupt(
        [&] { return open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); }));
    if (fd_ < 0) {
      FailFor(errno, target_);
      return;
    }
    const int flags = fcntl(fd_, F_GETFL);
    if (flags == -1 || fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
      FailFor(errno, target_);
      close(fd_);
      fd_ = -1;
    }
    return;
  }
  RemoveLeftovers(target_);
  switch (MakeUnnamed(DirectoryOf(target_))) {
    case Unnamed::Made: break;
    case Unnamed::Unsupported:
      if (!MakeNamed()) return;
      break;
    case Unnamed::Failed: return;
  }
  // Whoever could not use the old file must not use the new one either.
  if (exists) {
    [[maybe_unused]] const int owned = fchown(fd_, st.st_uid, st.st_gid);
    if (fchmod(fd_, (st.st_mode & 0777) | S_IWUSR) != 0) {
      FailFor(errno, target_);
      close(fd_);
      fd_ = -1;
      if (!named_.empty()) unlink(named_.c_str());
      named_.clear();
    }
  }
}

ReplacingWrite::Unnamed ReplacingWrite::MakeUnnamed(const std::string& directory) {
  // Without /proc an unnamed file could not be linked into place later.
  if (!ProcFdUsable()) return Unnamed::Unsupported;
  fd_ = AsHandle(RetryOnInterrupt(
      [&] { return open(directory.empty() ? "." : directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666); }));
  if (fd_ >= 0) return Unnamed::Made;
  // Other failures (a missing or read-only directory, a full disk) are the
  // write's; the named form would meet them too.
  if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return Unnamed::Unsupported;
  FailFor(errno, target_);
  return Unnamed::Failed;
}

bool ReplacingWrite::MakeNamed() {
  for (int attempt = 0; attempt < maxNameAttempts; ++attempt) {
    const std::string name = NextName(target_);
    fd_ = AsHandle(
        RetryOnInterrupt([&] { return open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }));
    if (fd_ >= 0) {
      named_ = name;
      return true;
    }
    if (errno != EEXIST) return FailFor(errno, name);
  }
  return Refuse(ERROR_FILE_EXISTS);
}

ReplacingWrite::~ReplacingWrite() {
  if (fd_ >= 0) close(fd_);
  if (!committed_ && !named_.empty()) unlink(named_.c_str());
}

bool ReplacingWrite::SetReadOnly(bool readOnly) {
  if (fd_ < 0) return Refuse(ERROR_INVALID_HANDLE);
  if (inPlace_) return true;
  struct stat st;
  if (fstat(fd_, &st) != 0) return FailFor(errno, target_);
  const mode_t mode = readOnly ? st.st_mode & 0777 & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)
                               : (st.st_mode & 0777) | S_IWUSR;
  return fchmod(fd_, mode) == 0 || FailFor(errno, target_);
}

// Gives the unnamed file a name beside the target, the one it is renamed from.
bool ReplacingWrite::LinkUnnamed(std::string& linked) {
  for (int attempt = 0; attempt < maxNameAttempts; ++attempt) {
    const std::string name = NextName(target_);
    if (linkat(AT_FDCWD, ProcFdName(fd_).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      linked = name;
      return true;
    }
    if (errno != EEXIST) return FailFor(errno, name);
  }
  return Refuse(ERROR_FILE_EXISTS);
}

bool ReplacingWrite::Commit() {
  if (fd_ < 0 || committed_) return Refuse(ERROR_INVALID_HANDLE);
  if (inPlace_) {
    const int fd = fd_;
    fd_ = -1;
    committed_ = true;
    return close(fd) == 0 || errno == EINTR || FailFor(errno, target_);
  }
  if (RetryOnInterrupt([&] { return fsync(fd_); }) != 0) return FailFor(errno, target_);
  struct stat st;
  if (lstat(target_.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Refuse(ERROR_ACCESS_DENIED);
    if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) return Refuse(ERROR_ACCESS_DENIED);
  }
  std::optional<RemovalClaim> anyHandle;
  std::optional<ReplacementClaim> denyingWrites;
  const bool held = refused_ == Refused::ByAnyHandle ? anyHandle.emplace(target_).Held()
                                                     : denyingWrites.emplace(target_).Held();
  if (held) return Refuse(ERROR_SHARING_VIOLATION);
  std::string linked = named_;
  if (linked.empty() && !LinkUnnamed(linked)) return false;
  if (rename(linked.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    unlink(linked.c_str());
    named_.clear();
    return FailFor(error, target_, NameKind::DirectoryOrRename);
  }
  named_.clear();
  committed_ = true;
  SyncDirectory(DirectoryOf(target_));
  close(fd_);
  fd_ = -1;
  return true;
}

}  // namespace win
