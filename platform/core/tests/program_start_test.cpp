#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/core/last_error.h"
#include "platform/core/program_start.h"
#include "temp_directory.h"

namespace {

// A program that writes its arguments, one a line, beside itself.
void WriteRecorder(const TempDirectory& dir, const std::string& name) {
  dir.Write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
                  "mv \"$0.args.tmp\" \"$0.args\"\n");
  chmod((dir / name).c_str(), 0755);
}

std::string WaitForFile(const TempDirectory& dir, const std::string& name) {
  for (int i = 0; i < 500; ++i) {
    const std::string content = dir.Read(name);
    if (content != "<missing>") return content;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return "<missing>";
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
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(dir.Read("plain.exe.ran"), "<missing>");
}
