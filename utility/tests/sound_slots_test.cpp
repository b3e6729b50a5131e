// The sound-slot exports, driven as a program of the suite drives them. The
// desktop's sound service (libcanberra) is replaced by a recorder defined
// here, which the library binds to in place of the real one, and the plain
// beep is the terminal bell, so each case runs in a child whose standard
// error is a pseudo-terminal: what the child asked for, sounds and bells
// alike, arrives there in order.
#include <gtest/gtest.h>

#include <canberra.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "branutl/sound_slots.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/core/test_support/untouched_file.h"
#include "platform/core/test_support/watchdog.h"

namespace {

// Whether the desktop has a "bell" event to play for a missing wave file.
bool desktopBellPlays = true;

void Report(std::string_view what) {
  [[maybe_unused]] const auto n = write(STDERR_FILENO, what.data(), what.size());
}

char fakeContext;

}  // namespace

// Visible, so that the library binds to these rather than to libcanberra.
#define RECORDER extern "C" __attribute__((visibility("default")))

RECORDER int ca_context_create(ca_context** c) {
  *c = reinterpret_cast<ca_context*>(&fakeContext);
  return CA_SUCCESS;
}

RECORDER int ca_context_destroy(ca_context*) { return CA_SUCCESS; }

RECORDER int ca_context_change_props(ca_context*, ...) { return CA_SUCCESS; }

RECORDER int ca_context_cancel(ca_context*, std::uint32_t) {
  Report("[stop]");
  return CA_SUCCESS;
}

RECORDER int ca_context_play(ca_context*, std::uint32_t id, ...) {
  std::va_list properties;
  va_start(properties, id);
  std::string request;
  bool bell = false;
  while (const char* key = va_arg(properties, const char*)) {
    const char* value = va_arg(properties, const char*);
    if (std::strcmp(key, CA_PROP_MEDIA_FILENAME) == 0) request = std::string("[file ") + value + "]";
    if (std::strcmp(key, CA_PROP_EVENT_ID) == 0) {
      request = std::string("[event ") + value + "]";
      bell = std::strcmp(value, "bell") == 0;
    }
  }
  va_end(properties);
  if (request.empty() || (bell && !desktopBellPlays)) return CA_ERROR_NOTFOUND;
  Report(request);
  return CA_SUCCESS;
}

#undef RECORDER

namespace {

constexpr std::string_view EndMark = "[end]";

// One call of the exports; slot -1 sets the speaker flag from `speaker`.
struct Call {
  int slot;
  bool speaker = false;
};

// Runs the calls in a child whose standard error is a fresh pseudo-terminal
// and returns what appeared there, "\a" being the plain beep.
std::string RunInChild(const std::vector<Call>& calls, bool bellPlays) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return "no pseudo-terminal";
  const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
  if (slave < 0) return "no pseudo-terminal";
  termios raw{};
  tcgetattr(slave, &raw);
  cfmakeraw(&raw);
  tcsetattr(slave, TCSANOW, &raw);

  const pid_t child = fork();
  if (child == 0) {
    dup2(slave, STDERR_FILENO);
    desktopBellPlays = bellPlays;
    for (const Call& call : calls) {
      if (call.slot < 0) {
        SPEAKER(call.speaker);
      } else {
        BEEP(static_cast<std::uint16_t>(call.slot));
      }
    }
    Report(EndMark);
    _exit(0);
  }

  std::string seen;
  char buffer[4096];
  pollfd ready{master, POLLIN, 0};
  while (child > 0 && seen.find(EndMark) == std::string::npos && poll(&ready, 1, 10000) > 0) {
    const auto n = read(master, buffer, sizeof buffer);
    if (n <= 0) break;
    seen.append(buffer, static_cast<std::size_t>(n));
  }
  if (child > 0) waitpid(child, nullptr, 0);
  close(slave);
  close(master);
  if (const auto end = seen.find(EndMark); end != std::string::npos) seen.erase(end);
  return seen;
}

// The folder of the running program, where the library looks for "WAV\".
std::filesystem::path ProgramFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// Puts a wave file into the program's "WAV" folder for the test's time.
class WaveFile {
 public:
  explicit WaveFile(const std::string& name) {
    const auto folder = ProgramFolder() / "WAV";
    madeFolder_ = std::filesystem::create_directory(folder);
    path_ = folder / name;
    madeFile_ = !std::filesystem::exists(path_);
    if (madeFile_) {
      const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
      if (fd >= 0) close(fd);
    }
  }
  ~WaveFile() {
    std::error_code ignored;
    if (madeFile_) std::filesystem::remove(path_, ignored);
    if (madeFolder_) std::filesystem::remove(path_.parent_path(), ignored);
  }
  WaveFile(const WaveFile&) = delete;
  WaveFile& operator=(const WaveFile&) = delete;

  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
  bool madeFolder_ = false;
  bool madeFile_ = false;
};

}  // namespace

TEST(SoundSlots, BeepAndSpeakerCallsGiveTheseSoundsAndBells) {
  // beep.wav (slot 0) lies in the program's "WAV" folder; ding.wav (slot 1)
  // and Chyba.wav (slot 21) do not; slot 9 has no name.
  const WaveFile beep("beep.wav");
  const std::string played = "[stop][file " + beep.Path() + "]";
  const Call speakerOn{-1, true}, speakerOff{-1, false};
  struct Case {
    const char* what;
    std::vector<Call> calls;
    bool bellPlays;
    std::string heard;
  } const cases[] = {
      {"a slot with its file plays it", {{0}}, true, played},
      {"a missing file plays the desktop's bell", {{1}}, true, "[stop][event bell]"},
      {"a missing file without a desktop bell beeps", {{1}, {21}}, false, "[stop]\a[stop]\a"},
      {"a slot without a name stops the sound, without a beep", {{9}}, false, "[stop]"},
      {"the speaker flag beeps for every slot",
       {speakerOn, {0}, {9}, {21}},
       true,
       "\a\a\a"},
      {"clearing the flag plays sounds again",
       {speakerOn, {0}, speakerOff, {0}},
       true,
       "\a" + played},
      {"slots beyond the table beep", {{32}, {0xFFFF}, {0}}, true, "\a\a" + played},
  };
  for (const Case& c : cases) EXPECT_EQ(RunInChild(c.calls, c.bellPlays), c.heard) << c.what;
}

// A program that opens the library at run time and exits with it open, or
// closes it first: the slots are written back to the ini file beside the
// program either way, and the program ends cleanly.
TEST(SoundSlots, SlotsAreWrittenBackWhenTheLibraryUnloads) {
  const cl::testing::TempDirectory temp;
  const std::filesystem::path& folder = temp.Path();
  const auto host = folder / "host";
  std::filesystem::copy_file(LIBRARY_HOST_PATH, host);
  const pid_t child = fork();
  if (child == 0) {
    execl(host.c_str(), host.c_str(), BRANUTL_PATH, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  std::ifstream in(folder / "brannik.ini", std::ios::binary);
  const std::string ini(std::istreambuf_iterator<char>(in), {});
  EXPECT_NE(ini.find("[Sounds]"), std::string::npos) << ini;
  EXPECT_NE(ini.find("SND_00=beep.wav"), std::string::npos) << ini;
  EXPECT_NE(ini.find("SND_15=Chyba.wav"), std::string::npos) << ini;
}

// The ini file beside the program never ends or is far too large to be one:
// the library starts with the built-in names, every way a program uses it
// ends cleanly, and the file is left as it was.
TEST(SoundSlots, AnIniFileThatNeverEndsOrIsTooLargeIsNeitherReadNorWritten) {
  const std::string held = "[Sounds]\nSND_00=x.wav\n";
  struct Case {
    const char* what;
    std::function<void(const std::filesystem::path& file)> make;
  } const cases[] = {
      {"a link to /dev/zero",
       [](const std::filesystem::path& file) { std::filesystem::create_symlink("/dev/zero", file); }},
      {"a sparse file of 4 GB",
       [&](const std::filesystem::path& file) {
         std::ofstream(file, std::ios::binary) << held;
         std::filesystem::resize_file(file, std::uintmax_t{4} << 30);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const cl::testing::TempDirectory temp;
    const auto host = temp.Path() / "host";
    std::filesystem::copy_file(LIBRARY_HOST_PATH, host);
    const auto ini = temp.Path() / "brannik.ini";
    c.make(ini);
    const cl::testing::UntouchedFile untouched(ini, held);
    const pid_t child = fork();
    if (child == 0) {
      cl::testing::CapMemoryOfExec(1024);
      execl(host.c_str(), host.c_str(), BRANUTL_PATH, static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    untouched.ExpectUnchanged();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path()), {}), 2);
  }
}
