#include "platform/core/test_support/killed_writes.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <vector>

#include "platform/core/test_support/scratch_file.h"
#include "platform/core/test_support/seccomp_program.h"

namespace cl::testing {

namespace {

bool Install(std::vector<sock_filter> filter) {
  filter = ForThisArchitecture(std::move(filter));
  if (filter.empty()) return false;
  const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

#ifdef SYS_open
constexpr std::uint32_t openCall = SYS_open;
#else
constexpr std::uint32_t openCall = 0xFFFFFFFF;  // no such call
#endif

sock_filter Load(std::size_t offset) { return BPF_STMT(BPF_LD | BPF_W | BPF_ABS, static_cast<std::uint32_t>(offset)); }

// What a held call runs; a signal handler reaches it only through here.
std::function<void()>* heldStep = nullptr;

void OnHeldCall(int) {
  if (heldStep) (*heldStep)();
  _exit(3);
}

}  // namespace

int RunInChild(const std::function<void()>& body, unsigned deadlineSeconds) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    alarm(deadlineSeconds);
    try {
      body();
    } catch (...) {
      _exit(1);
    }
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

WaitingChild::WaitingChild(const std::function<void()>& body, unsigned deadlineSeconds)
    : WaitingChild(
          [&](const WaitHere& waitHere) {
            body();
            waitHere();
          },
          deadlineSeconds) {}

WaitingChild::WaitingChild(const std::function<void(const WaitHere&)>& body, unsigned deadlineSeconds) {
  int channel[2];
  if (pipe(channel) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    alarm(deadlineSeconds);
    close(channel[0]);
    const WaitHere waitHere = [&] {
      const char ready = 'r';
      [[maybe_unused]] const auto written = write(channel[1], &ready, 1);
      for (;;) pause();
    };
    try {
      body(waitHere);
    } catch (...) {
      _exit(1);
    }
    _exit(2);  // never waited
  }
  close(channel[1]);
  if (pid_ > 0) {
    pollfd ready{channel[0], POLLIN, 0};
    char byte = 0;
    ready_ = poll(&ready, 1, static_cast<int>(deadlineSeconds) * 1000) == 1 && read(channel[0], &byte, 1) == 1;
  }
  close(channel[0]);
}

WaitingChild::~WaitingChild() { Stop(); }

void WaitingChild::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

FifoReader::FifoReader(const std::string& fifo, std::function<bool(const std::string&)> complete,
                       unsigned deadlineSeconds)
    : deadline_(deadlineSeconds) {
  int ready[2], result[2];
  if (pipe(ready) != 0) return;
  if (pipe(result) != 0) {
    close(ready[0]);
    close(ready[1]);
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    alarm(deadlineSeconds);
    close(ready[0]);
    close(result[0]);
    const int fd = open(fifo.c_str(), O_RDWR);
    if (fd < 0) _exit(1);
    [[maybe_unused]] auto n = write(ready[1], "r", 1);
    std::string got;
    char buffer[65536];
    while (!complete(got)) {
      const ssize_t m = read(fd, buffer, sizeof buffer);
      if (m <= 0) break;
      got.append(buffer, static_cast<std::size_t>(m));
    }
    for (std::size_t sent = 0; sent < got.size();) {
      const ssize_t m = write(result[1], got.data() + sent, got.size() - sent);
      if (m <= 0) break;
      sent += static_cast<std::size_t>(m);
    }
    _exit(0);
  }
  close(ready[1]);
  close(result[1]);
  result_ = result[0];
  if (pid_ > 0) {
    pollfd wait{ready[0], POLLIN, 0};
    char byte = 0;
    ready_ = poll(&wait, 1, static_cast<int>(deadlineSeconds) * 1000) == 1 && read(ready[0], &byte, 1) == 1;
  }
  close(ready[0]);
}

FifoReader::~FifoReader() {
  if (result_ >= 0) close(result_);
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
}

std::string FifoReader::Received() {
  std::string got;
  char buffer[65536];
  for (;;) {
    pollfd wait{result_, POLLIN, 0};
    if (poll(&wait, 1, static_cast<int>(deadline_) * 1000) != 1) return "<nothing>";
    const ssize_t n = read(result_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got.empty() ? "<nothing>" : got;
}

bool RefuseUnnamedFiles() {
  // O_TMPFILE's own bit in the flags of open and openat.
  constexpr std::uint32_t tmpfileBit = 020000000;
  return Install({
      Load(offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 2),
      Load(offsetof(seccomp_data, args[2])),
      BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, tmpfileBit, 3, 4),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, openCall, 0, 3),
      Load(offsetof(seccomp_data, args[1])),
      BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, tmpfileBit, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  });
}

bool DieAtFirstRenameOrLink() {
  const std::vector<std::uint32_t> calls = {
#ifdef SYS_rename
      SYS_rename,
#endif
#ifdef SYS_link
      SYS_link,
#endif
      SYS_renameat, SYS_renameat2, SYS_linkat};
  std::vector<sock_filter> filter = {Load(offsetof(seccomp_data, nr))};
  const std::size_t kill = calls.size() + 2;
  for (std::size_t i = 0; i < calls.size(); ++i)
    filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, calls[i], static_cast<std::uint8_t>(kill - (i + 2)), 0));
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
  return Install(std::move(filter));
}

bool HoldBefore(HeldCall call, std::uint32_t count, std::function<void()> held) {
  static std::function<void()> step;
  step = std::move(held);
  heldStep = &step;
  struct sigaction action {};
  action.sa_handler = OnHeldCall;
  sigemptyset(&action.sa_mask);
  if (sigaction(SIGSYS, &action, nullptr) != 0) return false;
  std::vector<std::uint32_t> calls;
  switch (call) {
    case HeldCall::Write: calls = {SYS_write}; break;
    case HeldCall::Fsync: calls = {SYS_fsync, SYS_fdatasync}; break;
    case HeldCall::Unlink:
      calls = {
#ifdef SYS_unlink
          SYS_unlink,
#endif
          SYS_unlinkat};
      break;
  }
  std::vector<sock_filter> filter = {Load(offsetof(seccomp_data, nr))};
  // Matched calls jump to the count test (writes) or the trap.
  const std::size_t after = calls.size() + 1;
  for (std::size_t i = 0; i < calls.size(); ++i)
    filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, calls[i], static_cast<std::uint8_t>(after - (i + 1)), 0));
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  if (call == HeldCall::Write) {
    // The low word of the count (both known architectures are little-endian).
    filter.push_back(Load(offsetof(seccomp_data, args[2])));
    filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, count, 1, 0));
    filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  }
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP));
  return Install(std::move(filter));
}

std::string DeviceNode(const TempDirectory& dir, const char* name, unsigned minor) {
  const std::string own = dir / name;
  if (mknod(own.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0) return own;
  return std::string("/dev/") + name;
}

bool IsCharacterDevice(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

std::map<std::string, std::string> DirectoryContents(const std::string& dir) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_symlink()) {
      entries[name] = "-> " + std::filesystem::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      entries[name] = ReadScratchFile(entry.path());
    } else {
      entries[name] = "<not a file>";
    }
  }
  return entries;
}

}  // namespace cl::testing
