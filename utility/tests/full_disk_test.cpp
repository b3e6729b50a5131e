// Every export that writes a file, run where the writes cannot get room: each
// must report the failure and keep every old byte, with no new file left.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "branutl/bk_files.h"
#include "branutl/files.h"
#include "branutl/handles.h"
#include "branutl/locks.h"
#include "platform/core/short_string.h"
#include "platform/core/test_support/full_disk.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

namespace fs = std::filesystem;

// The largest file a write may make where the size limit stands in for a
// full disk. The old files of the cases fit below it, the new writes do not.
constexpr rlim_t sizeLimit = 16384;

ShortString S(const std::string& text) { return ShortString::From(text); }

std::string Pattern(std::size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(((i + seed) * 2654435761u) >> 11);
  return s;
}

// The small file system: "work" holds the files under test; with a tmpfs the
// filler takes all the room left beside it. "big" is another file system when
// a tmpfs could be mounted, with room for the sources.
struct Place {
  std::string work, big;
  std::string Work(const std::string& name) const { return work + "/" + name; }
  std::string Big(const std::string& name) const { return big + "/" + name; }
};

void Write(const std::string& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    files[entry.path().filename().string()] = content.str();
  }
  return files;
}

// What differs between two snapshots of a directory, empty when nothing does.
std::string Differences(const std::map<std::string, std::string>& before,
                        const std::map<std::string, std::string>& after) {
  std::string text;
  for (const auto& [name, content] : before) {
    const auto found = after.find(name);
    if (found == after.end())
      text += name + " lost; ";
    else if (found->second != content)
      text += name + " changed (" + std::to_string(content.size()) + " -> " +
              std::to_string(found->second.size()) + " bytes); ";
  }
  for (const auto& [name, content] : after)
    if (!before.count(name)) text += name + " left behind; ";
  return text;
}

tBKHeader SavedBK(const std::string& path, std::size_t length, unsigned seed) {
  tBKHeader header;
  FILLBKHEADER(&header, false, 55, 32, 1);
  const std::string data = Pattern(length, seed);
  const ShortString name = S(path);
  if (SAVEBKFILE(&name, 0, &header, data.data(), static_cast<uint16_t>(length))) throw std::runtime_error("save");
  return header;
}

struct Case {
  const char* what;
  // Moves across file systems exist only when the small one is a tmpfs.
  bool acrossFileSystems;
  std::function<void(const Place&)> prepare;
  // The export's result: TRUE on failure.
  std::function<bool(const Place&)> run;
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"COPYFILE over an existing file", false,
       [](const Place& p) {
         Write(p.Big("src"), Pattern(60000, 1));
         Write(p.Work("keep.txt"), Pattern(9000, 2));
       },
       [](const Place& p) {
         const ShortString from = S(p.Big("src")), to = S(p.Work("keep.txt"));
         return COPYFILE(&from, &to);
       }},
      {"COPYFILE to a new file", false, [](const Place& p) { Write(p.Big("src"), Pattern(60000, 1)); },
       [](const Place& p) {
         const ShortString from = S(p.Big("src")), to = S(p.Work("new.txt"));
         return COPYFILE(&from, &to);
       }},
      {"APPENDFILE", false,
       [](const Place& p) {
         Write(p.Big("src"), Pattern(60000, 1));
         Write(p.Work("keep.txt"), Pattern(9000, 2));
       },
       [](const Place& p) {
         const ShortString from = S(p.Big("src")), to = S(p.Work("keep.txt"));
         return APPENDFILE(&from, &to);
       }},
      {"APPENDLINE", false,
       [](const Place& p) { Write(p.Work("log.txt"), std::string(sizeLimit - 100, 'x')); },
       [](const Place& p) {
         const ShortString name = S(p.Work("log.txt")), line = S(std::string(200, 'y'));
         return APPENDLINE(&name, &line);
       }},
      {"SAVEBKFILE over an existing file", false, [](const Place& p) { SavedBK(p.Work("data.bk"), 8000, 3); },
       [](const Place& p) {
         tBKHeader header;
         FILLBKHEADER(&header, false, 55, 32, 1);
         const std::string data = Pattern(30000, 4);
         const ShortString name = S(p.Work("data.bk"));
         return SAVEBKFILE(&name, 0, &header, data.data(), static_cast<uint16_t>(data.size()));
       }},
      {"APPENDTOBKFILE", false, [](const Place& p) { SavedBK(p.Work("data.bk"), 8000, 3); },
       [](const Place& p) {
         const std::string data = Pattern(20000, 5);
         const ShortString name = S(p.Work("data.bk"));
         return APPENDTOBKFILE(&name, data.data(), static_cast<int32_t>(data.size()));
       }},
      {"TRUNCATEBKFILE", false, [](const Place& p) { SavedBK(p.Work("data.bk"), 30000, 6); },
       [](const Place& p) {
         const ShortString name = S(p.Work("data.bk"));
         return TRUNCATEBKFILE(&name, 20000);
       }},
      {"INSERTTOHANDLE", false, [](const Place& p) { Write(p.Work("table.dat"), Pattern(sizeLimit - 84, 7)); },
       [](const Place& p) {
         const ShortString name = S(p.Work("table.dat"));
         int32_t handle = -1;
         if (OPENHANDLE(&name, 2, &handle)) return false;
         const std::string gap = Pattern(200, 8);
         const bool failed = INSERTTOHANDLE(handle, 0, gap.data(), static_cast<int32_t>(gap.size()));
         CLOSEHANDLE(&handle);
         return failed;
       }},
      {"UNIQUETEXTFILE", false, [](const Place&) {},
       [](const Place& p) {
         std::vector<ShortString> lines(100, S(std::string(250, 'z')));
         ShortString name = S(p.Work("t.msg"));
         return UNIQUETEXTFILE(&name, lines.data(), static_cast<int32_t>(lines.size() - 1), nullptr);
       }},
      {"RENAMEFILE across file systems", true, [](const Place& p) { Write(p.Big("src"), Pattern(60000, 1)); },
       [](const Place& p) {
         const ShortString from = S(p.Big("src")), to = S(p.Work("moved.txt"));
         return RENAMEFILE(&from, &to);
       }},
      {"RENAMEANYWAY across file systems", true,
       [](const Place& p) {
         Write(p.Big("src"), Pattern(60000, 1));
         Write(p.Work("keep.txt"), Pattern(9000, 2));
       },
       [](const Place& p) {
         const ShortString from = S(p.Big("src")), to = S(p.Work("keep.txt"));
         return RENAMEANYWAY(&from, &to);
       }},
  };
  return cases;
}

struct Outcome {
  bool skipped = false;
  bool onTmpfs = false;
  bool reportedFailure = false;
  char differences[512] = {};
};

using cl::testing::FillFileSystem;
using cl::testing::MountSmallFileSystem;

Outcome RunStarved(const Case& c, const std::string& root, bool mount) {
  Outcome outcome;
  const std::string small = root + "/small";
  const Place place{small + "/work", root + "/big"};
  outcome.onTmpfs = mount && MountSmallFileSystem(small);
  if (c.acrossFileSystems && !outcome.onTmpfs) {
    outcome.skipped = true;
    return outcome;
  }
  fs::create_directories(place.work);
  fs::create_directories(place.big);
  c.prepare(place);
  const auto work = Snapshot(place.work), big = Snapshot(place.big);
  if (outcome.onTmpfs) {
    FillFileSystem(small + "/filler");
  } else {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{sizeLimit, sizeLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  outcome.reportedFailure = c.run(place);
  const std::string differences = Differences(work, Snapshot(place.work)) + Differences(big, Snapshot(place.big));
  std::strncpy(outcome.differences, differences.c_str(), sizeof outcome.differences - 1);
  return outcome;
}

// Runs the case in a child, which may mount a file system or limit file sizes
// without touching the test program.
Outcome InChild(const Case& c, const std::string& root, bool mount) {
  int channel[2];
  if (pipe(channel) != 0) throw std::runtime_error("pipe");
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    Outcome outcome;
    try {
      outcome = RunStarved(c, root, mount);
    } catch (const std::exception& e) {
      std::strncpy(outcome.differences, e.what(), sizeof outcome.differences - 1);
    }
    [[maybe_unused]] const auto written = write(channel[1], &outcome, sizeof outcome);
    _exit(0);
  }
  close(channel[1]);
  Outcome outcome;
  pollfd ready{channel[0], POLLIN, 0};
  // A hanging export must not hang the test program.
  if (poll(&ready, 1, 60000) != 1 || read(channel[0], &outcome, sizeof outcome) != sizeof outcome) {
    kill(child, SIGKILL);
    std::strcpy(outcome.differences, "the child gave no outcome");
  }
  close(channel[0]);
  waitpid(child, nullptr, 0);
  return outcome;
}

// A full tmpfs where the test may mount one, and the file-size limit always
// (also the stand-in where mounting is refused).
TEST(FullDisk, EveryFileWriterReportsTheFailureAndKeepsTheOldFilesWhole) {
  for (const bool mount : {true, false})
    for (const Case& c : Cases()) {
      SCOPED_TRACE(c.what);
      const cl::testing::TempDirectory dir;
      fs::create_directories(dir.Path() / "small");
      const Outcome outcome = InChild(c, dir.Path().string(), mount);
      if (outcome.skipped) continue;
      const char* room = outcome.onTmpfs ? "on a full tmpfs" : "under a file-size limit";
      EXPECT_TRUE(outcome.reportedFailure) << room;
      EXPECT_STREQ(outcome.differences, "") << room;
    }
}

}  // namespace
