// Names that give a FIFO, through the exports that open files: no call waits
// for a peer that never comes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <functional>
#include <string>
#include <vector>

#include "branutl/bk_files.h"
#include "branutl/files.h"
#include "branutl/handles.h"
#include "platform/core/short_string.h"
#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

ShortString S(const std::string& text) { return ShortString::From(text); }

constexpr unsigned Deadline = 10;

class FifoNames : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0); }
  // True when BODY, run in a child, ends within the deadline and returns true.
  static bool EndsTrue(const std::function<bool()>& body) {
    const int status = cl::testing::RunInChild(
        [&] {
          if (!body()) throw 0;
        },
        Deadline);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  cl::testing::TempDirectory dir;
  const std::string fifo = dir / "pipe";
  const ShortString name = S(fifo);
};

TEST_F(FifoNames, EveryCallThatWouldWaitForAPeerFailsAtOnce) {
  const ShortString file = S(dir / "file");
  dir.Write("file", "some bytes");
  const ShortString copy = S(dir / "copy");
  struct Case {
    const char* what;
    std::function<bool()> fails;
  };
  const std::vector<Case> cases = {
      {"open for writing without a reader",
       [&] {
         int32_t h = 0;
         return OPENHANDLE(&name, 0x01, &h) && h == -1;
       }},
      {"open for reading and writing",
       [&] {
         int32_t h = 0;
         return OPENHANDLE(&name, 0x22, &h) && h == -1;
       }},
      {"load as a BK file",
       [&] {
         tBKHeader header;
         char data[4];
         return LOADBKFILE(&name, &header, data, sizeof data);
       }},
      {"check as a BK file",
       [&] {
         tBKHeader header;
         return CHECKBKFILE(&name, &header);
       }},
      {"append to as a BK file", [&] { return APPENDTOBKFILE(&name, "data", 4); }},
      {"truncate as a BK file", [&] { return TRUNCATEBKFILE(&name, 0); }},
      {"copy from", [&] { return COPYFILE(&name, &copy); }},
      {"append a file to", [&] { return APPENDFILE(&file, &name); }},
      {"size", [&] { return FILESIZE(&name) == 0; }},
  };
  for (const Case& c : cases) EXPECT_TRUE(EndsTrue(c.fails)) << c.what;
}

TEST_F(FifoNames, AReadOnlyOpenWithoutAWriterReadsAnEnd) {
  EXPECT_TRUE(EndsTrue([&] {
    int32_t h = -1;
    if (OPENHANDLE(&name, 0x40, &h) || h == -1) return false;
    char buffer[8];
    int32_t count = sizeof buffer;
    READHANDLECOND(h, buffer, &count);
    CLOSEHANDLE(&h);
    return count == 0;
  }));
}

TEST_F(FifoNames, AWriteOnlyOpenReachesTheReader) {
  const std::string sent = "to the reader";
  cl::testing::FifoReader reader(fifo, [&](const std::string& got) { return got.size() >= sent.size(); },
                                 Deadline);
  ASSERT_TRUE(reader.Ready());
  EXPECT_TRUE(EndsTrue([&] {
    int32_t h = -1;
    if (OPENHANDLE(&name, 0x01, &h)) return false;
    const bool written = !WRITEHANDLE(h, sent.data(), static_cast<int32_t>(sent.size()));
    CLOSEHANDLE(&h);
    return written;
  }));
  EXPECT_EQ(reader.Received(), sent);
}

}  // namespace
