#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/core/exception.h"
#include "platform/core/ini_file.h"
#include "platform/core/last_error.h"
#include "platform/core/profile_file.h"
#include "platform/core/profile_text.h"
#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/watchdog.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/core/test_support/untouched_file.h"

namespace {

using cl::testing::TempDirectory;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The lines as a reader sees them: split at LF, one CR before it dropped.
std::vector<std::string> LineContents(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool SameCaseless(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

TEST(ProfileText, ValuesAreFoundByCaselessSectionAndKey) {
  struct Case {
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } const cases[] = {
      {"[Sounds]\nSND_00=beep.wav\n", "Sounds", "SND_00", "beep.wav"},
      {"[sounds]\nsnd_00=x", "SOUNDS", "Snd_00", "x"},
      {"[ Sounds ]\n  key  =   value  \n", "Sounds", "key", "value"},
      {"[S]\nk=\"  a b  \"\n", "S", "k", "  a b  "},
      {"[S]\nk='x'\n", "S", "k", "x"},
      {"[S]\nk=\"x\n", "S", "k", "\"x"},
      {"[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},  // one pair only
      {"[S]\nk=a=b\n", "S", "k", "a=b"},
      {"[S]\nk=1\nk=2\n", "S", "k", "1"},              // first key wins
      {"[S]\na=1\n[S]\nk=2\n", "S", "k", std::nullopt},  // first section wins
      {"[S]\n;k=1\nk=2\n", "S", "k", "2"},
      {"[S]\r\nk=v\r\n", "S", "k", "v"},
      {"k=v\n[S]\n", "S", "k", std::nullopt},
      {"[A]\n[B]\nk=v\n", "A", "k", std::nullopt},
      {"[S]\nk\n", "S", "k", std::nullopt},
      {"[S]\nk=v\n", "T", "k", std::nullopt},
      {"", "S", "k", std::nullopt},
      {"[\xC8\xE1" "st]\n\xDA\xE8" "et=1\n", "\xE8\xC1ST", "\xFA\xC8" "ET", "1"},  // 1250 letters
  };
  for (const Case& c : cases)
    EXPECT_EQ(win::ProfileValue(c.text, c.section, c.key), c.value) << c.text;
}

TEST(ProfileText, WritingKeepsEveryOtherLine) {
  struct Case {
    const char* text;
    const char* section;
    const char* key;
    const char* value;
    const char* result;
  } const cases[] = {
      {"[S]\nk=old\nother=1\n", "S", "k", "new", "[S]\nk=new\nother=1\n"},
      {"[A]\na=1\n\n[B]\nb=2\n", "A", "c", "3", "[A]\na=1\nc=3\n\n[B]\nb=2\n"},
      {"[A]\na=1\n", "B", "b", "2", "[A]\na=1\n[B]\nb=2\n"},
      {"", "S", "k", "v", "[S]\nk=v\n"},
      {"[S]\n", "S", "k", "v", "[S]\nk=v\n"},
      {"; head\n[S]\n; note\nk=1\njunk line\n", "S", "k", "2",
       "; head\n[S]\n; note\nk=2\njunk line\n"},
      {"[s]\nK=1\nk=3\n", "S", "k", "2", "[s]\nK=2\nk=3\n"},
      {"[S]\n  Key =  old \n", "S", "KEY", "new", "[S]\nKey=new\n"},
      {"[S]\r\na=1\r\n", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
      {"[S]\na=1", "S", "b", "2", "[S]\na=1\nb=2\n"},
      // Each line keeps its own end, a CR inside a line included.
      {"\n[Sounds\r\r", "Sounds", "SND_00", "x", "\n[Sounds\r\r\n[Sounds]\nSND_00=x\n"},
      {"[S]\r\na=1\nb=2\r\n", "S", "c", "3", "[S]\r\na=1\nb=2\r\nc=3\r\n"},
      {"[S]\r\na=1\r", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
      {"[S]\nk=1\r", "S", "k", "2", "[S]\nk=2\r"},
      {"[S]\nk=1\r\rz=0\n", "S", "z", "2", "[S]\nk=1\r\rz=0\nz=2\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(win::WithProfileValue(c.text, c.section, c.key, c.value), c.result) << c.text;
    EXPECT_EQ(win::ProfileValue(win::WithProfileValue(c.text, c.section, c.key, c.value),
                                c.section, c.key),
              c.value);
  }
}

// Random texts from the characters that give lines their meaning: the value
// written reads back, every other key reads as before, and the lines of the
// text stay as they were apart from the one replaced or added.
TEST(ProfileText, WrittenValuesReadBackWhateverTheTextHolds) {
  constexpr std::string_view alphabet = "[]=; \t\r\r\n\n\"Sounds_0kK";
  const char* const sections[] = {"Sounds", "S", "s"};
  const char* const keys[] = {"SND_00", "k", "K", "S"};
  std::mt19937 random(1250);
  for (int round = 0; round < 4000; ++round) {
    std::string text(std::uniform_int_distribution<int>(0, 40)(random), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const std::string section = sections[random() % std::size(sections)];
    const std::string key = keys[random() % std::size(keys)];
    const std::string value = "v" + std::to_string(round);

    const std::string written = win::WithProfileValue(text, section, key, value);
    ASSERT_EQ(win::ProfileValue(written, section, key), value) << testing::PrintToString(text);
    for (const char* s : sections) {
      for (const char* k : keys) {
        if (SameCaseless(s, section) && SameCaseless(k, key)) continue;
        ASSERT_EQ(win::ProfileValue(written, s, k), win::ProfileValue(text, s, k))
            << testing::PrintToString(text) << " " << s << " " << k;
      }
    }

    // The text's lines are those written, less the one line that is new or
    // changed (and a new section header).
    const auto before = LineContents(text);
    auto after = LineContents(written);
    const auto isNew = [&](const std::string& line) {
      const auto equals = line.find('=');
      return equals != std::string::npos && SameCaseless(line.substr(0, equals), key) &&
             line.substr(equals + 1) == value;
    };
    const auto changed = std::find_if(after.begin(), after.end(), isNew);
    ASSERT_NE(changed, after.end()) << testing::PrintToString(written);
    const std::size_t at = static_cast<std::size_t>(changed - after.begin());
    auto expected = before;
    if (after.size() == before.size()) {
      expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));  // the replaced line
    } else if (after.size() == before.size() + 2) {
      ASSERT_EQ(at + 1, after.size());
      ASSERT_EQ(after[at - 1], "[" + section + "]");
      after.erase(after.begin() + static_cast<std::ptrdiff_t>(at - 1));
    } else {
      ASSERT_EQ(after.size(), before.size() + 1) << testing::PrintToString(text);
    }
    after.erase(std::find_if(after.begin(), after.end(), isNew));
    EXPECT_EQ(after, expected) << testing::PrintToString(text);
  }
}

TEST(ProfileFile, MissingFilesGiveTheDefaultAndWritingCreatesThem) {
  TempDirectory dir;
  const std::string file = dir / "brannik.ini";
  EXPECT_EQ(win::GetPrivateProfileString("Sounds", "SND_00", "beep.wav", file), "beep.wav");
  ASSERT_TRUE(win::WritePrivateProfileString("Sounds", "SND_00", "x.wav", file));
  ASSERT_TRUE(win::WritePrivateProfileString("Sounds", "SND_01", "y.wav", file));
  EXPECT_EQ(ReadFile(file), "[Sounds]\nSND_00=x.wav\nSND_01=y.wav\n");
  EXPECT_EQ(win::GetPrivateProfileString("sounds", "snd_01", "", file), "y.wav");
  // Only the file itself is left: the temporary file was renamed over it.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 1);
}

// A profile name that gives a FIFO nobody writes to reads as an empty
// profile at once (the browser reads its settings so before any window shows).
TEST(ProfileFile, AFifoWithoutAWriterReadsAsEmptyWithoutWaiting) {
  TempDirectory dir;
  const std::string file = dir / "win.ini";
  ASSERT_EQ(mkfifo(file.c_str(), 0666), 0);
  const int status = cl::testing::RunInChild(
      [&] {
        if (win::GetPrivateProfileString("S", "k", "default", file) != "default") throw 0;
      },
      10);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

// What never ends, or is too large to be a settings file, reads as an empty
// profile and is never written: a program reads its settings before its
// window shows, and writes them back as it ends.
TEST(ProfileFile, AProfileThatNeverEndsOrIsTooLargeReadsAsEmptyAndStaysAsItWas) {
  // Far above any real settings file: the file holds a value, then a hole.
  constexpr off_t pastTheBound = (off_t{16} << 20) + 1;
  const std::string held = "[S]\nk=held\n";
  constexpr std::uint32_t generalFailure = 31;
  struct Case {
    const char* what;
    std::function<void(const std::string& file)> make;
    std::uint32_t writeError;
  } const cases[] = {
      {"a link to /dev/zero", [](const std::string& file) { std::filesystem::create_symlink("/dev/zero", file); },
       win::ERROR_ACCESS_DENIED},
      {"a link to /dev/null", [](const std::string& file) { std::filesystem::create_symlink("/dev/null", file); },
       win::ERROR_ACCESS_DENIED},
      {"a FIFO", [](const std::string& file) { ASSERT_EQ(mkfifo(file.c_str(), 0666), 0); }, win::ERROR_ACCESS_DENIED},
      {"a sparse file past the bound",
       [&](const std::string& file) {
         std::ofstream(file, std::ios::binary) << held;
         ASSERT_EQ(truncate(file.c_str(), pastTheBound), 0);
       },
       generalFailure},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDirectory dir;
    const std::string file = dir / "win.ini";
    c.make(file);
    const cl::testing::UntouchedFile untouched(file, held);
    const int status = cl::testing::RunInChild(
        [&] {
          const cl::testing::Watchdog watchdog(c.what, 20, 512);
          if (win::GetPrivateProfileString("S", "k", "default", file) != "default") _exit(2);
          win::SetLastError(0);
          if (win::WritePrivateProfileString("S", "k", "new", file)) _exit(3);
          if (win::GetLastError() != c.writeError) _exit(4);
        },
        30);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    untouched.ExpectUnchanged();
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(file))) {
      EXPECT_EQ(cl::testing::DirectoryContents(dir.Path().string()).size(), 1u);
    }
  }
}

TEST(ProfileFile, AnUnchangedValueLeavesTheFileAlone) {
  TempDirectory dir;
  const std::string file = dir / "a.ini";
  dir.Write("a.ini", "[S]\nk = \"1\"\n");
  struct stat before {}, after {};
  ASSERT_EQ(stat(file.c_str(), &before), 0);
  ASSERT_TRUE(win::WritePrivateProfileString("s", "K", "1", file));
  ASSERT_EQ(stat(file.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_EQ(ReadFile(file), "[S]\nk = \"1\"\n");
  ASSERT_TRUE(win::WritePrivateProfileString("S", "K", "2", file));
  ASSERT_EQ(stat(file.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  EXPECT_EQ(ReadFile(file), "[S]\nk=2\n");
}

TEST(ProfileFile, WritesKeepPermissionsAndRefuseReadOnlyFiles) {
  TempDirectory dir;
  const std::string file = dir / "a.ini";
  dir.Write("a.ini", "[S]\nk=1\n");
  chmod(file.c_str(), 0640);
  ASSERT_TRUE(win::WritePrivateProfileString("S", "k", "2", file));
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  chmod(file.c_str(), 0444);
  win::SetLastError(0);
  EXPECT_FALSE(win::WritePrivateProfileString("S", "k", "3", file));
  EXPECT_EQ(win::GetLastError(), win::ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadFile(file), "[S]\nk=2\n");
}

TEST(ProfileFile, NamesResolveLikeTheSystemsNames) {
  TempDirectory dir;
  dir.Write("Sub/Brannik.INI", "[S]\nk=v\n");
  // Backslashes and case-insensitive components, as the system writes names.
  const std::string name = dir.Path().string() + "\\sub\\brannik.ini";
  EXPECT_EQ(win::GetPrivateProfileString("S", "k", "", name), "v");
  ASSERT_TRUE(win::WritePrivateProfileString("S", "k", "w", name));
  EXPECT_EQ(ReadFile(dir / "Sub/Brannik.INI"), "[S]\nk=w\n");

  win::SetLastError(0);
  EXPECT_FALSE(win::WritePrivateProfileString("S", "k", "v", dir / "missing/x.ini"));
  EXPECT_EQ(win::GetLastError(), win::ERROR_PATH_NOT_FOUND);
}

TEST(ProfileFile, AWriteThroughALinkUpdatesTheFileItLeadsTo) {
  TempDirectory dir;
  dir.Write("real/brannik.ini", "[S]\nk=1\n");
  std::filesystem::create_directories(dir.Path() / "config");
  std::filesystem::create_symlink("../real/brannik.ini", dir.Path() / "config/brannik.ini");
  ASSERT_TRUE(win::WritePrivateProfileString("S", "k", "2", dir / "config/brannik.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "config/brannik.ini"));
  EXPECT_EQ(ReadFile(dir / "real/brannik.ini"), "[S]\nk=2\n");
  EXPECT_EQ(cl::testing::DirectoryContents(dir / "real").size(), 1u);
}

// A writer killed with its new file complete, just before it takes the old
// one's place: the old file stays whole; a named new file stays only until
// the next write.
TEST(ProfileFile, AWriterKilledBeforeTheRenameLeavesTheOldFileAndNothingForLong) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "unnamed");
    TempDirectory dir;
    const std::string file = dir.Write("a.ini", "[S]\nk=1\n");
    const int status = cl::testing::RunInChild([&] {
      if (named && !cl::testing::RefuseUnnamedFiles()) _exit(3);
      if (!cl::testing::DieAtFirstRenameOrLink()) _exit(3);
      win::WritePrivateProfileString("S", "k", "2", file);
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS) << status;
    auto left = cl::testing::DirectoryContents(dir.Path().string());
    EXPECT_EQ(left["a.ini"], "[S]\nk=1\n");
    EXPECT_EQ(left.size(), named ? 2u : 1u);
    ASSERT_TRUE(win::WritePrivateProfileString("S", "k", "3", file));
    EXPECT_EQ(cl::testing::DirectoryContents(dir.Path().string()),
              (std::map<std::string, std::string>{{"a.ini", "[S]\nk=3\n"}}));
  }
}

TEST(ProfileFile, BareNamesLieInTheWindowsDirectory) {
  TempDirectory dir;
  setenv("BRANNIK_WINDIR", dir.Path().c_str(), 1);
  ASSERT_TRUE(win::WritePrivateProfileString("S", "k", "v", "test.ini"));
  EXPECT_EQ(ReadFile(dir / "test.ini"), "[S]\nk=v\n");
  EXPECT_EQ(win::GetPrivateProfileString("S", "k", "", "TEST.INI"), "v");
  unsetenv("BRANNIK_WINDIR");
}

TEST(IniFile, ReadsAndWritesStringsAndRaisesWhenItCannotWrite) {
  TempDirectory dir;
  cl::TIniFile ini(dir / "x.ini");
  EXPECT_EQ(ini.ReadString("S", "k", "default"), "default");
  ini.WriteString("S", "k", " spaced ");
  EXPECT_EQ(ini.ReadString("S", "k", "default"), "spaced");
  cl::TIniFile nowhere(dir / "missing/x.ini");
  EXPECT_THROW(nowhere.WriteString("S", "k", "v"), cl::Exception);
}
