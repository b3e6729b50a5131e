#include "platform/core/test_support/interleaving.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <future>
#include <thread>
#include <vector>

#include "platform/core/test_support/seccomp_program.h"

namespace cl::testing {

namespace {

struct PathCall {
  std::uint32_t nr;
  unsigned pathArgument;
};

const std::vector<PathCall>& PathCalls() {
  static const std::vector<PathCall> calls = {
#ifdef SYS_open
      {SYS_open, 0},
#endif
#ifdef SYS_stat
      {SYS_stat, 0},
#endif
#ifdef SYS_lstat
      {SYS_lstat, 0},
#endif
      {SYS_openat, 1},     {SYS_openat2, 1}, {SYS_newfstatat, 1}, {SYS_statx, 1},
  };
  return calls;
}

// The listener of a filter that hands the calling thread's path calls to a supervisor; -1 when refused.
int InstallListener() {
  const auto& calls = PathCalls();
  std::vector<sock_filter> filter = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
  const std::size_t notify = filter.size() + calls.size() + 1;
  for (std::size_t i = 0; i < calls.size(); ++i)
    filter.push_back(
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, calls[i].nr, static_cast<std::uint8_t>(notify - (filter.size() + 1)), 0));
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_USER_NOTIF));
  filter = ForThisArchitecture(std::move(filter));
  if (filter.empty()) return -1;
  const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return -1;
  return static_cast<int>(syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_NEW_LISTENER, &program));
}

bool NamesPath(const seccomp_notif& call, const std::string& path) {
  for (const PathCall& known : PathCalls()) {
    if (static_cast<std::uint32_t>(call.data.nr) != known.nr) continue;
    // The trapped thread shares this address space.
    const auto* named = reinterpret_cast<const char*>(call.data.args[known.pathArgument]);
    if (!named) return false;
    const std::string name(named);
    const auto slash = path.find_last_of('/');
    return name == path || (slash != std::string::npos && name == path.substr(slash + 1));
  }
  return false;
}

void Supervise(int listener, std::string path, unsigned n, std::function<void()> meanwhile,
               std::shared_ptr<std::atomic<bool>> ran) {
  unsigned seen = 0;
  for (;;) {
    seccomp_notif call;
    std::memset(&call, 0, sizeof call);
    if (ioctl(listener, SECCOMP_IOCTL_NOTIF_RECV, &call) != 0) {
      if (errno == EINTR || errno == ENOENT) continue;
      return;
    }
    if (NamesPath(call, path) && ++seen == n) {
      meanwhile();
      ran->store(true);
    }
    seccomp_notif_resp answer;
    std::memset(&answer, 0, sizeof answer);
    answer.id = call.id;
    answer.flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
    ioctl(listener, SECCOMP_IOCTL_NOTIF_SEND, &answer);
  }
}

}  // namespace

std::shared_ptr<const std::atomic<bool>> ActBeforeNthUse(const std::string& path, unsigned n,
                                                        std::function<void()> meanwhile) {
  auto ran = std::make_shared<std::atomic<bool>>(false);
  // The supervisor starts before the filter, which it would otherwise inherit.
  std::promise<int> listenerPromise;
  std::future<int> listenerFuture = listenerPromise.get_future();
  std::thread supervisor([listener = std::move(listenerFuture), path, n, meanwhile = std::move(meanwhile),
                          ran]() mutable {
    const int fd = listener.get();
    if (fd >= 0) Supervise(fd, path, n, std::move(meanwhile), ran);
  });
  const int listener = InstallListener();
  listenerPromise.set_value(listener);
  if (listener < 0) {
    supervisor.join();
    return nullptr;
  }
  supervisor.detach();
  return ran;
}

}  // namespace cl::testing
