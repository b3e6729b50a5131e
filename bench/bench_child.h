#pragma once

// Peak memory is measured in a fresh process of the benchmark itself, so that
// one case's allocations (and the allocator's kept pages) never count against
// the next one's.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// A field of this process's status in KB ("VmHWM", "VmRSS"); -1 if absent.
inline long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
      return std::atol(line.c_str() + length + 1);
  return -1;
}

// Runs this program again with `args` and returns what it printed; nothing
// when it could not be started or did not end with 0.
inline std::optional<std::string> RunSelf(std::vector<std::string> args) {
  std::string exe = "/proc/self/exe";
  std::vector<char*> argv{exe.data()};
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  std::string out;
  char buffer[256];
  for (ssize_t n; child > 0 && (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    out.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::nullopt;
  return out;
}

}  // namespace bench
