// Shared-directory locks and unique names through the exports, with forked
// processes racing for the same lock and the same directory.
#include <gtest/gtest.h>

#include <dirent.h>
#include <dlfcn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "branutl/calendar.h"
#include "branutl/files.h"
#include "branutl/handles.h"
#include "branutl/locks.h"
#include "branutl/numbers.h"
#include "platform/core/string_list.h"
#include "platform/core/test_support/temp_directory.h"

namespace {
std::atomic<int> directoriesOpened{0};
// While set, the wall clock stands still at this time.
std::atomic<bool> clockStopped{false};
timespec stoppedAt{};
}  // namespace

extern "C" __attribute__((visibility("default"))) int clock_gettime(clockid_t clock, timespec* at) {
  using Real = int (*)(clockid_t, timespec*);
  static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "clock_gettime"));
  if (clock == CLOCK_REALTIME && clockStopped.load()) {
    *at = stoppedAt;
    return 0;
  }
  return real(clock, at);
}

// Visible, so that the library's directory reads come here first: the tests
// count them.
extern "C" __attribute__((visibility("default"))) DIR* opendir(const char* name) {
  using Real = DIR* (*)(const char*);
  static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "opendir"));
  directoriesOpened.fetch_add(1);
  return real(name);
}

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

ShortString S(const fs::path& p) { return ShortString::From(p.string()); }

long Ms(Clock::time_point since) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class Locks : public testing::Test {
 protected:
  void Touch(const fs::path& p, const std::string& text = "") const {
    std::ofstream(p, std::ios::binary) << text;
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  const cl::testing::TempDirectory temp_;
  const fs::path dir_ = temp_.Path();
};

// Every child of a race ends within this, killed by its alarm if need be, so
// a lock that is never granted fails the test rather than hanging it.
constexpr unsigned ChildDeadlineSeconds = 60;
constexpr long WaitDeadlineMs = 30000;

// Runs body in `count` forked children; true when every child exited with 0.
template <typename Body>
bool InChildren(int count, Body body) {
  std::vector<pid_t> children;
  for (int i = 0; i < count; ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      alarm(ChildDeadlineSeconds);
      _exit(body(i));
    }
    children.push_back(pid);
  }
  bool allGood = true;
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    allGood = allGood && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return allGood;
}

// Polls until the condition holds; false once WaitDeadlineMs have passed.
template <typename Condition>
bool WaitUntil(Condition condition) {
  const auto since = Clock::now();
  while (!condition()) {
    if (Ms(since) > WaitDeadlineMs) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace

TEST_F(Locks, FlagFileCreatesTheLockAndKeepsASecondHolderOutUntilClosed) {
  const ShortString lock = S(dir_ / "subdir.smf");
  int32_t first = -1;
  ASSERT_FALSE(FLAGFILE(&lock, &first, 0));
  EXPECT_TRUE(fs::exists(dir_ / "subdir.smf"));
  int32_t second = 77;
  const auto start = Clock::now();
  EXPECT_TRUE(FLAGFILE(&lock, &second, 150));
  const long waited = Ms(start);
  EXPECT_GE(waited, 150);
  EXPECT_LT(waited, 2000);
  EXPECT_EQ(second, 77) << "untouched on failure";
  CLOSEHANDLE(&first);
  EXPECT_FALSE(FLAGFILE(&lock, &second, 0));
  CLOSEHANDLE(&second);
}

TEST_F(Locks, ExclusiveOpenTakesEveryModeExclusivelyAndWaitsOnlyWhenItMayWrite) {
  const ShortString name = S(dir_ / "data.txt");
  const ShortString missing = S(dir_ / "missing.txt");
  int32_t handle = 5;
  auto start = Clock::now();
  EXPECT_TRUE(EXCLUSIVEOPEN(&missing, 0x40, 1000, &handle));
  EXPECT_LT(Ms(start), 500) << "reading a missing file fails at once";
  EXPECT_EQ(handle, -1);
  start = Clock::now();
  EXPECT_TRUE(EXCLUSIVEOPEN(&missing, 0x02, 120, &handle));
  EXPECT_GE(Ms(start), 120) << "writing waits for the file to appear";

  Touch(dir_ / "data.txt", "x");
  for (uint16_t mode : {0x00, 0x40, 0x20, 0x22, 0x42, 0x01, 0x31}) {
    SCOPED_TRACE(mode);
    ASSERT_FALSE(EXCLUSIVEOPEN(&name, mode, 0, &handle));
    int32_t other = -1;
    EXPECT_TRUE(OPENHANDLE(&name, 0x40, &other)) << "no other open while held";
    CLOSEHANDLE(&handle);
  }
  int32_t reader = -1;
  ASSERT_FALSE(OPENHANDLE(&name, 0x40, &reader));
  start = Clock::now();
  EXPECT_TRUE(EXCLUSIVEOPEN(&name, 0x40, 100, &handle));
  EXPECT_GE(Ms(start), 100);
  CLOSEHANDLE(&reader);
}

TEST_F(Locks, ExclusiveRewriteEmptiesTheFileOnlyWhenItGetsIt) {
  const ShortString name = S(dir_ / "out.txt");
  Touch(dir_ / "out.txt", "old contents");
  tTextFile first{123};
  ASSERT_FALSE(EXCLUSIVEREWRITETEXT(&name, 0x40, 0, &first));
  EXPECT_EQ(fs::file_size(dir_ / "out.txt"), 0u);
  ASSERT_FALSE(WRITEHANDLE(first.handle, "NEW\r\n", 5));
  tTextFile second{123};
  EXPECT_TRUE(EXCLUSIVEREWRITETEXT(&name, 0x40, 80, &second));
  EXPECT_EQ(second.handle, -1);
  CLOSEHANDLE(&first.handle);
  EXPECT_EQ(Read(dir_ / "out.txt"), "NEW\r\n");
  const ShortString elsewhere = S(dir_ / "missing" / "out.txt");
  EXPECT_TRUE(EXCLUSIVEREWRITETEXT(&elsewhere, 0x01, 0, &second));
}

TEST_F(Locks, FileCountsAsLockedWhenItExistsAndCannotBeOpenedExclusively) {
  const ShortString name = S(dir_ / "f.dat");
  EXPECT_FALSE(ISFILELOCKED(&name));
  Touch(dir_ / "f.dat");
  EXPECT_FALSE(ISFILELOCKED(&name));
  int32_t reader = -1;
  ASSERT_FALSE(OPENHANDLE(&name, 0x40, &reader));
  EXPECT_TRUE(ISFILELOCKED(&name));
  CLOSEHANDLE(&reader);
  EXPECT_FALSE(ISFILELOCKED(&name));
}

TEST_F(Locks, UniqueFileIsANewEmptyFileOfEightDigitsWithTheExtension) {
  ShortString name = S(dir_ / "anything.txt");
  ASSERT_FALSE(UNIQUEFILE(&name, 1000, false));
  const fs::path made = name.Str();
  EXPECT_EQ(made.parent_path(), dir_);
  const std::string file = made.filename().string();
  ASSERT_EQ(file.size(), 12u) << file;
  EXPECT_EQ(file.substr(8), ".txt");
  for (char c : file.substr(0, 8)) EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'V')) << file;
  EXPECT_EQ(fs::file_size(made), 0u);
  EXPECT_EQ(Entries(), std::vector<std::string>{file}) << "the lock file is gone";
}

// Names already taken, under any extension or case, are passed over at the
// cost of a lookup each: one call reads the directory once, however many
// names it has to skip.
TEST_F(Locks, UniqueFileReadsTheDirectoryOnceHoweverManyNamesItSkips) {
  // With the wall clock stopped, the seed is known: every name from it down
  // some way is taken, under various extensions and cases.
  constexpr std::int64_t takenNames = 2000;
  clock_gettime(CLOCK_REALTIME, &stoppedAt);
  clockStopped = true;
  struct Restart {
    ~Restart() { clockStopped = false; }
  } const restart;
  const std::int64_t now = NOWASNAMESEED();
  const char* const extensions[] = {".txt", ".msg", "", ".a.b"};
  std::set<std::string> taken;
  for (std::int64_t seed = now - takenNames + 1; seed <= now; ++seed) {
    ShortString digits{};
    INTTOBASE32(8, static_cast<std::uint64_t>(seed), &digits);
    std::string name = digits.Str();
    taken.insert(name);
    if (seed % 3 == 0) std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    Touch(dir_ / (name + extensions[seed % 4]));
  }
  // What a call costs in a directory with nothing to skip.
  const cl::testing::TempDirectory emptyDir;
  const fs::path& empty = emptyDir.Path();
  ShortString first = S(empty / "x.txt");
  directoriesOpened = 0;
  ASSERT_FALSE(UNIQUEFILE(&first, 1000, false));
  const int reads = directoriesOpened.load();

  ShortString name = S(dir_ / "x.txt");
  directoriesOpened = 0;
  ASSERT_FALSE(UNIQUEFILE(&name, 1000, false));
  EXPECT_EQ(directoriesOpened.load(), reads) << "no directory read per skipped name";
  const fs::path made = name.Str();
  EXPECT_EQ(made.extension(), ".txt");
  EXPECT_FALSE(taken.contains(made.stem().string())) << made;
  ShortString below{};
  INTTOBASE32(8, static_cast<std::uint64_t>(now - takenNames), &below);
  EXPECT_EQ(made.stem().string(), below.Str()) << "the first free name below the taken ones";
}

TEST_F(Locks, MissingDirectoryFailsOrIsMadeAsAsked) {
  const fs::path sub = dir_ / "a" / "b";
  ShortString name = S(sub / "x.txt");
  EXPECT_TRUE(UNIQUEFILE(&name, 100, false));
  EXPECT_EQ(name.Str(), (sub / "x.txt").string()) << "the name stays on failure";
  EXPECT_FALSE(fs::exists(dir_ / "a"));
  EXPECT_TRUE(Entries().empty()) << "no lock file";
  ASSERT_FALSE(UNIQUEFILE(&name, 100, true));
  EXPECT_EQ(fs::path(name.Str()).parent_path(), sub);
  ShortString dirName = S(dir_ / "c" / "x");
  ASSERT_FALSE(UNIQUEDIR(&dirName, 100, true));
  EXPECT_TRUE(fs::is_directory(dirName.Str()));
}

TEST_F(Locks, LockHeldElsewhereFailsTheUniqueNameAfterTheTimeout) {
  const ShortString lock = S(dir_ / "subdir.smf");
  int32_t held = -1;
  ASSERT_FALSE(FLAGFILE(&lock, &held, 0));
  ShortString name = S(dir_ / "x.txt");
  const auto start = Clock::now();
  EXPECT_TRUE(UNIQUEFILE(&name, 100, false));
  EXPECT_GE(Ms(start), 100);
  EXPECT_EQ(name.Str(), (dir_ / "x.txt").string());
  CLOSEHANDLE(&held);
  EXPECT_EQ(Entries(), std::vector<std::string>{"subdir.smf"});
}

TEST_F(Locks, UniqueTextFileWritesTheNonEmptyLinesUpperCased) {
  const ShortString lines[] = {ShortString::From("abc"), ShortString::From(""),
                               ShortString::From("Def \xe8")};
  cl::TStringList list;
  list.Add("x y");
  list.Add("");
  list.Add("last");
  ShortString name = S(dir_ / "t.msg");
  ASSERT_FALSE(UNIQUETEXTFILE(&name, lines, 2, &list));
  EXPECT_EQ(fs::path(name.Str()).extension(), ".msg");
  EXPECT_EQ(Read(name.Str()), "ABC\r\nDEF \xc8\r\nX Y\r\nLAST\r\n");
  ShortString none = S(dir_ / "u.msg");
  ASSERT_FALSE(UNIQUETEXTFILE(&none, lines, -1, nullptr));
  EXPECT_EQ(Read(none.Str()), "");
  ShortString nowhere = S(dir_ / "missing" / "v.msg");
  EXPECT_TRUE(UNIQUETEXTFILE(&nowhere, lines, 2, nullptr));
  EXPECT_EQ(nowhere.Str(), (dir_ / "missing" / "v.msg").string());
}

TEST_F(Locks, SharedRenameAndDeleteRetryUntilTheyWorkOrTheTimeoutRunsOut) {
  const std::string a = (dir_ / "a.dat").string(), b = (dir_ / "b.dat").string();
  Touch(a, "A");
  Touch(b, "B");
  DELETESHAREDFILE(a.c_str(), 0);
  EXPECT_TRUE(fs::exists(a)) << "timeout 0 tries nothing";
  const ShortString held = S(a);
  int32_t reader = -1;
  ASSERT_FALSE(OPENHANDLE(&held, 0x40, &reader));
  auto start = Clock::now();
  DELETESHAREDFILE(a.c_str(), 100);
  EXPECT_GE(Ms(start), 90);
  EXPECT_TRUE(fs::exists(a));
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    CLOSEHANDLE(&reader);
  });
  start = Clock::now();
  RENAMESHAREDFILE(a.c_str(), b.c_str(), 5000);
  release.join();
  EXPECT_LT(Ms(start), 4000);
  EXPECT_FALSE(fs::exists(a));
  EXPECT_EQ(Read(b), "A") << "the target is replaced";
  RENAMESHAREDFILE(a.c_str(), b.c_str(), 1000);  // a missing source: nothing happens
  DELETESHAREDFILE(b.c_str(), 1000);
  EXPECT_FALSE(fs::exists(b));
}

TEST_F(Locks, RacingProcessesHoldTheFlagFileOneAtATime) {
  auto* shared = static_cast<std::atomic<int>*>(
      mmap(nullptr, sizeof(std::atomic<int>) * 2, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(shared, MAP_FAILED);
  new (&shared[0]) std::atomic<int>(0);  // holders now
  new (&shared[1]) std::atomic<int>(0);  // rounds done
  const ShortString lock = S(dir_ / "subdir.smf");
  const bool allGood = InChildren(6, [&](int) {
    for (int round = 0; round < 15; ++round) {
      int32_t handle = -1;
      if (FLAGFILE(&lock, &handle, 20000)) return 1;  // every waiter is served
      if (shared[0].fetch_add(1) != 0) return 2;      // a second holder
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      shared[0].fetch_sub(1);
      shared[1].fetch_add(1);
      CLOSEHANDLE(&handle);
    }
    return 0;
  });
  EXPECT_TRUE(allGood);
  EXPECT_EQ(shared[1].load(), 6 * 15);
  munmap(shared, sizeof(std::atomic<int>) * 2);
}

// The release order of the directory lock: close the handle, then delete the
// lock file. A waiter that opened the file just before the deletion must not
// count as holding it beside one that created the next lock file.
TEST_F(Locks, HoldersThatDeleteTheFlagFileOnReleaseStillHoldItOneAtATime) {
  constexpr int children = 8, rounds = 250;
  struct Shared {
    std::atomic<int> holders, twoHolders, rounds;
  };
  auto* shared = static_cast<Shared*>(
      mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(shared, MAP_FAILED);
  new (shared) Shared{};
  const ShortString lock = S(dir_ / "subdir.smf");
  const fs::path work = dir_ / "work";
  const bool allGood = InChildren(children, [&](int) {
    for (int round = 0; round < rounds; ++round) {
      int32_t handle = -1;
      if (FLAGFILE(&lock, &handle, 20000)) return 1;
      if (shared->holders.fetch_add(1) != 0) shared->twoHolders.fetch_add(1);
      std::ofstream(work, std::ios::binary) << round;
      std::error_code ignored;
      fs::remove(work, ignored);
      shared->holders.fetch_sub(1);
      shared->rounds.fetch_add(1);
      CLOSEHANDLE(&handle);
      DELETEANYWAY(&lock);
    }
    return 0;
  });
  EXPECT_TRUE(allGood);
  EXPECT_EQ(shared->twoHolders.load(), 0);
  EXPECT_EQ(shared->rounds.load(), children * rounds);
  munmap(shared, sizeof(Shared));
}

TEST_F(Locks, RacingProcessesGetDistinctUniqueNamesAndLoseNoFile) {
  constexpr int children = 6, rounds = 10;
  auto* names = static_cast<char*>(mmap(nullptr, children * rounds * 256, PROT_READ | PROT_WRITE,
                                        MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(names, MAP_FAILED);
  std::memset(names, 0, children * rounds * 256);
  const bool allGood = InChildren(children, [&](int child) {
    for (int round = 0; round < rounds; ++round) {
      ShortString name = S(dir_ / (round % 2 ? "x.dat" : "x"));
      const bool failed = round % 3 == 2 ? UNIQUEDIR(&name, 20000, false) : UNIQUEFILE(&name, 20000, false);
      if (failed) return 1;
      std::memcpy(names + (child * rounds + round) * 256, name.chars, name.length);
    }
    return 0;
  });
  EXPECT_TRUE(allGood);
  // A new directory skips only directories of its exact name, so it may share
  // its digits with a file of another extension; files never share digits.
  std::set<std::string> fullNames, fileDigits;
  std::size_t files = 0;
  for (int i = 0; i < children * rounds; ++i) {
    const std::string made(names + i * 256);
    EXPECT_TRUE(fs::exists(made)) << made;
    fullNames.insert(made);
    if (!fs::is_directory(made)) {
      ++files;
      fileDigits.insert(fs::path(made).stem().string());
    }
  }
  EXPECT_EQ(fullNames.size(), static_cast<std::size_t>(children * rounds));
  EXPECT_EQ(fileDigits.size(), files) << "file digits unique across extensions";
  EXPECT_EQ(Entries().size(), static_cast<std::size_t>(children * rounds)) << "nothing else, no lock file";
  munmap(names, children * rounds * 256);
}

TEST_F(Locks, WaitersForAHeldDirectoryTimeOutOrAreServedWhenItIsReleased) {
  // Child 0 holds the directory's lock until the waiters with a short timeout
  // have given up; the waiters with a long one must get their names, and only
  // after the release.
  struct Shared {
    std::atomic<int> held, gaveUp, released;
    std::atomic<long> waited[6];
  };
  auto* shared = static_cast<Shared*>(
      mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(shared, MAP_FAILED);
  new (shared) Shared{};
  const std::uint16_t timeouts[6] = {0, 100, 100, 30000, 30000, 30000};
  const ShortString lock = S(dir_ / "subdir.smf");
  const bool allGood = InChildren(6, [&](int child) {
    if (child == 0) {
      int32_t handle = -1;
      if (FLAGFILE(&lock, &handle, 0)) return 1;
      shared->held = 1;
      if (!WaitUntil([&] { return shared->gaveUp.load() >= 2; })) return 6;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      shared->released = 1;
      CLOSEHANDLE(&handle);
      return 0;
    }
    if (!WaitUntil([&] { return shared->held.load() != 0; })) return 7;
    ShortString name = S(dir_ / "x.msg");
    const auto start = Clock::now();
    const bool failed = UNIQUEFILE(&name, timeouts[child], false);
    shared->waited[child] = Ms(start);
    if (timeouts[child] < 1000) {
      shared->gaveUp.fetch_add(1);
      if (!failed) return 2;
      if (name.Str() != (dir_ / "x.msg").string()) return 3;
    } else {
      if (failed) return 4;
      if (shared->released.load() == 0) return 5;  // served while the lock was held
    }
    return 0;
  });
  EXPECT_TRUE(allGood);
  for (int child = 1; child <= 2; ++child) EXPECT_GE(shared->waited[child].load(), 100) << child;
  const std::vector<std::string> entries = Entries();
  EXPECT_EQ(entries.size(), 3u) << "one file for each served waiter, no lock file";
  for (const std::string& e : entries) EXPECT_EQ(fs::path(e).extension(), ".msg") << e;
  munmap(shared, sizeof(Shared));
}
