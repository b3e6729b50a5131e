#include "platform/core/program_start.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/cp1250.h"
#include "platform/core/file_names.h"
#include "platform/core/last_error.h"

extern char** environ;

namespace win {

namespace {

constexpr std::uint32_t ERROR_BAD_EXE_FORMAT = 193;

}  // namespace

bool StartProgram(std::string_view fileName, std::string_view parameters) {
  const auto native = NativeName(fileName);
  if (!native) return false;
  struct stat status {};
  if (stat(native->c_str(), &status) != 0) {
    SetLastErrorForName(errno, *native);
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (access(native->c_str(), X_OK) != 0) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return false;
  }

  std::vector<std::string> arguments = {*native};
  std::size_t start = 0;
  while (start < parameters.size()) {
    std::size_t end = parameters.find(' ', start);
    if (end == std::string_view::npos) end = parameters.size();
    if (end > start) arguments.push_back(Cp1250ToUtf8(parameters.substr(start, end - start)));
    start = end + 1;
  }
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int error = posix_spawn(&pid, native->c_str(), nullptr, nullptr, argv.data(), environ);
  if (error != 0) {
    SetLastErrorFromErrno(error);
    return false;
  }
  // Not waited for, yet collected, so that no finished program stays behind.
  std::thread([pid] {
    int ignored = 0;
    while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace win
