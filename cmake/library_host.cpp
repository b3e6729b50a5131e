// Loads each shared library named on the command line the ways a program may:
// opened and left open at exit, opened and closed, closed and opened again.
// Each way runs in its own child, which must exit with status 0; a crash in a
// library's start-up or shut-down shows as a signal or another status.
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

constexpr unsigned ChildDeadlineSeconds = 30;

enum class Way { leftOpen, closed, reopened };

constexpr const char* WayName(Way way) {
  switch (way) {
    case Way::leftOpen: return "left open at exit";
    case Way::closed: return "closed before exit";
    case Way::reopened: return "closed and opened again";
  }
  return "";
}

[[noreturn]] void Load(const char* path, Way way) {
  alarm(ChildDeadlineSeconds);
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    std::fprintf(stderr, "%s\n", dlerror());
    std::exit(2);
  }
  if (way != Way::leftOpen && dlclose(library) != 0) std::exit(3);
  if (way == Way::reopened && !dlopen(path, RTLD_NOW | RTLD_LOCAL)) std::exit(4);
  std::exit(0);
}

bool LoadsCleanly(const char* path, Way way) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) Load(path, way);
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  if (WIFSIGNALED(status)) {
    std::fprintf(stderr, "%s, %s: signal %d\n", path, WayName(way), WTERMSIG(status));
  } else {
    std::fprintf(stderr, "%s, %s: exit status %d\n", path, WayName(way), WEXITSTATUS(status));
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s library...\n", argv[0]);
    return 2;
  }
  int failures = 0;
  for (int i = 1; i < argc; ++i)
    for (const Way way : {Way::leftOpen, Way::closed, Way::reopened})
      if (!LoadsCleanly(argv[i], way)) ++failures;
  if (failures == 0) std::printf("%d libraries load and unload cleanly\n", argc - 1);
  return failures == 0 ? 0 : 1;
}
