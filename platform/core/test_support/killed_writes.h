#pragma once

// What tests of replacing writes need to cut a write short: forked children
// with a deadline, and system-call traps that last for the process that sets
// them (meant for a forked child).

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/core/test_support/temp_directory.h"

namespace cl::testing {

// Runs BODY in a forked child that dies by SIGALRM after DEADLINE seconds
// (a hang never hangs the test); the child's wait status. BODY's normal end
// is exit status 0, an exception status 1.
int RunInChild(const std::function<void()>& body, unsigned deadlineSeconds = 30);

// A forked child stopped until the parent ends it: BODY runs, then the child
// reports ready and waits; Stop() kills and reaps it. Ready() is false when
// BODY threw or the child never got there. The second form hands BODY the
// call that reports ready and waits, to be made in the middle of its work.
class WaitingChild {
 public:
  using WaitHere = std::function<void()>;
  explicit WaitingChild(const std::function<void()>& body, unsigned deadlineSeconds = 30);
  explicit WaitingChild(const std::function<void(const WaitHere&)>& body, unsigned deadlineSeconds = 30);
  ~WaitingChild();
  WaitingChild(const WaitingChild&) = delete;
  WaitingChild& operator=(const WaitingChild&) = delete;

  bool Ready() const { return ready_; }
  pid_t Pid() const { return pid_; }
  // SIGKILL and reap: the child then no longer exists.
  void Stop();

 private:
  pid_t pid_ = -1;
  bool ready_ = false;
};

// A forked child reading a FIFO: open (for reading and writing, so that it
// never sees an end of file before the bytes) once constructed, it reads
// until COMPLETE holds for what it got, then hands that over. Received()
// waits for it with the deadline; "<nothing>" when it never came.
class FifoReader {
 public:
  FifoReader(const std::string& fifo, std::function<bool(const std::string&)> complete,
             unsigned deadlineSeconds = 30);
  ~FifoReader();
  FifoReader(const FifoReader&) = delete;
  FifoReader& operator=(const FifoReader&) = delete;

  bool Ready() const { return ready_; }
  std::string Received();

 private:
  pid_t pid_ = -1;
  int result_ = -1;
  bool ready_ = false;
  unsigned deadline_;
};

// The file system makes no unnamed files (O_TMPFILE fails with EOPNOTSUPP),
// so a replacing write takes its named form. False where traps cannot be set.
bool RefuseUnnamedFiles();
// The process dies by SIGSYS at its first rename or link: a replacing write
// dies with its new file complete but not yet in the old one's place.
bool DieAtFirstRenameOrLink();

// A system call a forked child can be held before, for its parent to kill
// it there: a write of exactly COUNT bytes, or an fsync or unlink of any.
enum class HeldCall { Write, Fsync, Unlink };
// From now on the process's first such call runs HELD instead, from a SIGSYS
// handler (meant to be WaitingChild's wait, which never returns). False where
// the trap cannot be set.
bool HoldBefore(HeldCall call, std::uint32_t count, std::function<void()> held);

// A node of the null (minor 3) or full (minor 7) device in `dir` where the
// process may make one (then a replaced node shows), else the system's own.
std::string DeviceNode(const TempDirectory& dir, const char* name, unsigned minor);
// Whether the path itself (not what a link leads to) is a character device.
bool IsCharacterDevice(const std::string& path);

// The entries of a directory with their contents (a link as "-> target").
std::map<std::string, std::string> DirectoryContents(const std::string& dir);

}  // namespace cl::testing
