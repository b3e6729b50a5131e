#include "platform/core/test_support/watchdog.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace cl::testing {

namespace {

std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

[[noreturn]] void EndProcess(const std::string& message) {
  [[maybe_unused]] const auto n = write(STDERR_FILENO, message.data(), message.size());
  _exit(watchdogExit);
}

}  // namespace

Watchdog::Watchdog(std::string what, unsigned deadlineSeconds, std::size_t megabytes) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(deadlineSeconds);
  const std::size_t limit = megabytes * 1024 * 1024;
  thread_ = std::thread([this, what = std::move(what), deadline, limit] {
    std::unique_lock lock(mutex_);
    // Memory can grow by gigabytes a second: it is looked at often.
    while (!stop_.wait_for(lock, std::chrono::milliseconds(2), [this] { return stopped_; })) {
      if (std::chrono::steady_clock::now() > deadline) EndProcess(what + " did not end in time\n");
      if (ResidentBytes() > limit) EndProcess(what + " took too much memory\n");
    }
  });
}

Watchdog::~Watchdog() {
  {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  stop_.notify_one();
  thread_.join();
}

void CapMemoryOfExec(std::size_t megabytes) {
#ifdef __SANITIZE_ADDRESS__
  // The sanitizer reserves far more address space than it uses.
  std::string options = std::getenv("ASAN_OPTIONS") != nullptr ? std::getenv("ASAN_OPTIONS") : "";
  if (!options.empty()) options += ':';
  options += "hard_rss_limit_mb=" + std::to_string(megabytes);
  setenv("ASAN_OPTIONS", options.c_str(), 1);
#else
  const rlim_t bytes = static_cast<rlim_t>(megabytes) * 1024 * 1024;
  const rlimit limit{bytes, bytes};
  setrlimit(RLIMIT_AS, &limit);
#endif
}

}  // namespace cl::testing
