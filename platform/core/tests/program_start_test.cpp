#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/core/last_error.h"
#include "platform/core/program_start.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

using cl::testing::TempDirectory;

// A program that writes its arguments, one a line, beside itself.
void WriteRecorder(const TempDirectory& dir, const std::string& name) {
  dir.Write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
                  "mv \"$0.args.tmp\" \"$0.args\"\n");
  chmod((dir / name).c_str(), 0755);
}

// The file's content once a started program has written it; "<missing>" when
// it has not come by a generous deadline.
std::string WaitForFile(const TempDirectory& dir, const std::string& name) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (;;) {
    const std::string content = dir.Read(name);
    if (content != "<missing>" || std::chrono::steady_clock::now() > deadline) return content;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

TEST(StartProgram, StartsTheFileWithItsParametersSplitAtBlanks) {
  const TempDirectory dir;
  WriteRecorder(dir, "setup.exe");
  struct Case {
    const char* parameters;
    const char* arguments;
  } const cases[] = {
      {"/q", "/q\n"},
      {"", ""},
      {"a  b?c \"d e\" ", "a\nb?c\n\"d\ne\"\n"},
      {"$HOME;*", "$HOME;*\n"},  // no shell expands anything
      {"p\xF8\xEDli\x9A", "p\xC5\x99\xC3\xADli\xC5\xA1\n"},
  };
  for (const auto& c : cases) {
    std::remove((dir / "setup.exe.args").c_str());
    ASSERT_TRUE(win::StartProgram(dir / "setup.exe", c.parameters)) << c.parameters;
    EXPECT_EQ(WaitForFile(dir, "setup.exe.args"), c.arguments) << c.parameters;
  }
}

TEST(StartProgram, NamesResolveAsTheSystemWritesThem) {
  const TempDirectory dir;
  WriteRecorder(dir, "Dir With Blanks/Prog.exe");
  std::string name = dir / "DIR WITH BLANKS\\PROG.EXE";
  ASSERT_TRUE(win::StartProgram(name, "x"));
  EXPECT_EQ(WaitForFile(dir, "Dir With Blanks/Prog.exe.args"), "x\n");
}

TEST(StartProgram, OnlyRegularExecutableFilesStart) {
  const TempDirectory dir;
  dir.Write("plain.exe", "#!/bin/sh\ntouch \"$0.ran\"\n");
  // Leaves its mark only once no plain.exe runs any more (the brackets keep
  // grep from finding itself), so a wrongly started one has left its own.
  dir.Write("allowed.exe",
            "#!/bin/sh\nn=0\n"
            "while grep -qs \"$(dirname \"$0\")/plain[.]exe\" /proc/[0-9]*/cmdline && [ $n -lt 3000 ]; do\n"
            "  sleep 0.01; n=$((n + 1))\ndone\ntouch \"$0.ran\"\n");
  chmod((dir / "allowed.exe").c_str(), 0755);
  dir.Write("sub/keep", "");
  struct Case {
    std::string file;
    std::uint32_t error;
  } const cases[] = {
      {dir / "missing.exe", win::ERROR_FILE_NOT_FOUND},
      {dir / "nodir/x.exe", win::ERROR_PATH_NOT_FOUND},
      {dir / "sub", win::ERROR_ACCESS_DENIED},
      {dir / "plain.exe", 193},
  };
  for (const auto& c : cases) {
    win::SetLastError(0);
    EXPECT_FALSE(win::StartProgram(c.file, "")) << c.file;
    EXPECT_EQ(win::GetLastError(), c.error) << c.file;
  }
  // Started after the refused ones, it shows the spawner at work.
  ASSERT_TRUE(win::StartProgram(dir / "allowed.exe", ""));
  ASSERT_EQ(WaitForFile(dir, "allowed.exe.ran"), "");
  EXPECT_EQ(dir.Read("plain.exe.ran"), "<missing>");
}
