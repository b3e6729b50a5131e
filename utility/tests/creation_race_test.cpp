#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "branutl/files.h"
#include "branutl/locks.h"
#include "platform/core/short_string.h"
#include "platform/core/test_support/interleaving.h"
#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/temp_directory.h"

// Another program acts on a file between any two steps a routine takes on
// that name: each step is tried in turn, until the routine takes no step that
// many. What either side reported done must be in the file, and nothing else.
namespace {

constexpr int trapRefused = 40;
constexpr int otherRan = 1, otherDone = 2, callFailed = 4;
constexpr int reported = 16;

// A peer's exclusive creation of the file with its own first bytes.
bool MakeIfStillMissing(const std::string& path, const std::string& content) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool whole = write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
  return close(fd) == 0 && whole;
}

bool AppendLine(const std::string& path, const std::string& text) {
  const ShortString name = ShortString::From(path), line = ShortString::From(text);
  return !APPENDLINE(&name, &line);
}

// Bytes past this make a write fail in the child (a full disk's stand-in).
constexpr rlim_t sizeLimit = 100;
const std::string tooLong(200, 'y');

struct Case {
  const char* what;
  bool limited;                                     // writes beyond sizeLimit fail
  std::function<bool(const std::string&)> other;    // true when the peer's step was done
  std::function<bool(const std::string&)> call;     // true on success
  bool callSucceeds;
  // The file afterwards (none: nullopt) by whether the peer's step was done.
  std::function<std::optional<std::string>(bool otherDid)> expected;
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"APPENDLINE while a peer makes the file with its line", false,
       [](const std::string& p) { return MakeIfStillMissing(p, "other\r\n"); },
       [](const std::string& p) { return AppendLine(p, "mine"); }, true,
       [](bool did) { return std::string(did ? "other\r\n" : "") + "mine\r\n"; }},
      {"APPENDLINE while a peer appends its line", false,
       [](const std::string& p) { return AppendLine(p, "other"); },
       [](const std::string& p) { return AppendLine(p, "mine"); }, true,
       [](bool did) { return std::string(did ? "other\r\n" : "") + "mine\r\n"; }},
      {"a failing APPENDLINE while a peer appends its line", true,
       [](const std::string& p) { return AppendLine(p, "other"); },
       [](const std::string& p) { return AppendLine(p, tooLong); }, false,
       [](bool did) { return did ? std::optional<std::string>("other\r\n") : std::nullopt; }},
      {"FLAGFILE while a peer makes the file with its contents", false,
       [](const std::string& p) { return MakeIfStillMissing(p, "kept"); },
       [](const std::string& p) {
         const ShortString name = ShortString::From(p);
         std::int32_t handle = -1;
         return !FLAGFILE(&name, &handle, 0);
       },
       true, [](bool did) { return std::string(did ? "kept" : ""); }},
  };
  return cases;
}

struct Outcome {
  bool ran = false;
  bool otherDid = false;
  bool succeeded = false;
};

// Runs the case's call in a child in which the peer acts before the Nth use of PATH.
Outcome RaceAt(const Case& c, const std::string& path, unsigned n) {
  const int status = cl::testing::RunInChild([&] {
    if (c.limited) {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{sizeLimit, sizeLimit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(trapRefused);
    }
    std::atomic<bool> did{false};
    const auto ran = cl::testing::ActBeforeNthUse(path, n, [&] { did = c.other(path); });
    if (!ran) _exit(trapRefused);
    const bool succeeded = c.call(path);
    _exit(reported | (*ran ? otherRan : 0) | (did ? otherDone : 0) | (succeeded ? 0 : callFailed));
  });
  if (WIFEXITED(status) && WEXITSTATUS(status) == trapRefused) {
    ADD_FAILURE() << "no seccomp trap or file-size limit can be set here";
    return {};
  }
  EXPECT_TRUE(WIFEXITED(status) && (WEXITSTATUS(status) & reported)) << "status " << status;
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
  return {(code & otherRan) != 0, (code & otherDone) != 0, (code & callFailed) == 0};
}

TEST(CreationRace, WhatAPeerPutInTheFileMeanwhileStays) {
  for (const Case& c : Cases()) {
    const cl::testing::TempDirectory dir;
    const std::string path = dir / "shared.log";
    unsigned tried = 0;
    for (unsigned n = 1; n <= 40; ++n) {
      unlink(path.c_str());
      const Outcome outcome = RaceAt(c, path, n);
      if (!outcome.ran) break;
      ++tried;
      EXPECT_EQ(outcome.succeeded, c.callSucceeds) << c.what << ", before use " << n;
      const std::optional<std::string> expected = c.expected(outcome.otherDid);
      const std::optional<std::string> found =
          dir.Exists("shared.log") ? std::optional<std::string>(dir.Read("shared.log")) : std::nullopt;
      EXPECT_EQ(found, expected) << c.what << ", before use " << n;
    }
    EXPECT_GT(tried, 1u) << c.what;
  }
}

}  // namespace
