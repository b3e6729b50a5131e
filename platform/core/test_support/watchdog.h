#pragma once

// For tests of code that, when faulty, would hang for ever or take the
// machine's memory (a file that never ends, read whole): such a test fails
// in bounded time and memory instead.

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

namespace cl::testing {

// Exit status of a process that a Watchdog ended.
inline constexpr int watchdogExit = 86;

// While it lives, ends the process (status watchdogExit, a message naming
// `what` on standard error) once the deadline passes or its resident memory
// passes `megabytes`.
class Watchdog {
 public:
  Watchdog(std::string what, unsigned deadlineSeconds, std::size_t megabytes);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable stop_;
  bool stopped_ = false;
  std::thread thread_;
};

// For a forked child about to exec a program of the build: the program dies
// once its memory passes `megabytes` (through the sanitizer's own limit where
// the build has one, else through a limit on its address space).
void CapMemoryOfExec(std::size_t megabytes);

}  // namespace cl::testing
