#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "branutl/files.h"
#include "branutl/handles.h"
#include "branutl/locks.h"
#include "platform/core/short_string.h"
#include "platform/core/test_support/interleaving.h"
#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/temp_directory.h"

// Another program makes the file, with its own first bytes, between any two
// steps a routine takes on that name before the routine holds the file: the
// routine must open what it finds, never empty it.
namespace {

constexpr int trapRefused = 40;
constexpr int otherRan = 1, otherMade = 2, callFailed = 4;
constexpr int reported = 16;

// Makes the file with CONTENT only when it is still missing, as a peer's
// exclusive creation does; whether it made it.
bool MakeIfStillMissing(const std::string& path, const std::string& content) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool whole = write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
  return close(fd) == 0 && whole;
}

struct Outcome {
  bool ran = false;
  bool otherMadeIt = false;
  bool failed = false;
};

// Runs CALL in a child in which the other program acts before the Nth use of PATH.
Outcome RaceAt(const std::string& path, unsigned n, const std::string& otherContent,
               const std::function<bool()>& call) {
  const int status = cl::testing::RunInChild([&] {
    std::atomic<bool> made{false};
    const auto ran = cl::testing::ActBeforeNthUse(path, n, [&] { made = MakeIfStillMissing(path, otherContent); });
    if (!ran) _exit(trapRefused);
    const bool failed = call();
    _exit(reported | (*ran ? otherRan : 0) | (made ? otherMade : 0) | (failed ? callFailed : 0));
  });
  if (WIFEXITED(status) && WEXITSTATUS(status) == trapRefused) {
    ADD_FAILURE() << "no seccomp trap can be set here";
    return {};
  }
  EXPECT_TRUE(WIFEXITED(status) && (WEXITSTATUS(status) & reported)) << "status " << status;
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
  return {(code & otherRan) != 0, (code & otherMade) != 0, (code & callFailed) != 0};
}

class CreationRace : public ::testing::Test {
 protected:
  cl::testing::TempDirectory dir;
};

// Every step of the line's append before it holds the file is tried in turn,
// until the append takes no step that many.
TEST_F(CreationRace, AppendLineKeepsTheLineOfAProgramThatMadeTheFileMeanwhile) {
  const std::string path = dir / "shared.log";
  unsigned tried = 0;
  for (unsigned n = 1; n <= 40; ++n) {
    unlink(path.c_str());
    const Outcome outcome = RaceAt(path, n, "other\r\n", [&] {
      const ShortString name = ShortString::From(path), line = ShortString::From("mine");
      return APPENDLINE(&name, &line);
    });
    if (!outcome.ran) break;
    ++tried;
    EXPECT_FALSE(outcome.failed) << "before use " << n;
    const std::string expected = outcome.otherMadeIt ? "other\r\nmine\r\n" : "mine\r\n";
    EXPECT_EQ(dir.Read("shared.log"), expected) << "before use " << n;
  }
  EXPECT_GT(tried, 1u);
}

TEST_F(CreationRace, FlagFileLeavesTheContentsOfAFileMadeMeanwhile) {
  const std::string path = dir / "flag.lck";
  unsigned tried = 0;
  for (unsigned n = 1; n <= 40; ++n) {
    unlink(path.c_str());
    const Outcome outcome = RaceAt(path, n, "kept", [&] {
      const ShortString name = ShortString::From(path);
      std::int32_t handle = -1;
      return FLAGFILE(&name, &handle, 0);
    });
    if (!outcome.ran) break;
    ++tried;
    EXPECT_FALSE(outcome.failed) << "before use " << n;
    EXPECT_EQ(dir.Read("flag.lck"), outcome.otherMadeIt ? "kept" : "") << "before use " << n;
  }
  EXPECT_GT(tried, 1u);
}

}  // namespace
