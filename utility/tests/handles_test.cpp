#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "branutl/handles.h"
#include "platform/core/short_string.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

ShortString S(const std::string& text) { return ShortString::From(text); }

class RawHandles : public ::testing::Test {
 protected:
  int32_t Open(const std::string& name, uint16_t mode) {
    const ShortString n = S(dir / name);
    int32_t h = 12345;
    if (OPENHANDLE(&n, mode, &h)) {
      EXPECT_EQ(h, -1);
    }
    return h;
  }
  int32_t Create(const std::string& name) {
    const ShortString n = S(dir / name);
    int32_t h = 12345;
    EXPECT_FALSE(CREATEHANDLE(&n, &h));
    return h;
  }
  std::string Content(int32_t h) {
    int32_t size = 0;
    EXPECT_FALSE(SEEKHANDLEEND(h, &size));
    std::string data(size_t(size), '\0');
    EXPECT_FALSE(SEEKHANDLETO(h, 0));
    EXPECT_FALSE(READHANDLE(h, data.data(), size));
    return data;
  }
  cl::testing::TempDirectory dir;
};

TEST_F(RawHandles, OpenMissingFileFailsWithNoHandle) {
  EXPECT_EQ(Open("missing", 0x40), -1);
}

TEST_F(RawHandles, CreateEmptiesAnExistingFileAndOpensItExclusively) {
  dir.Write("f", "old content");
  int32_t h = Create("f");
  ASSERT_GE(h, 5);
  EXPECT_EQ(Content(h), "");
  EXPECT_EQ(Open("f", 0x40), -1);  // no sharing granted
  EXPECT_FALSE(CLOSEHANDLE(&h));
  EXPECT_EQ(h, -1);
  int32_t again = Open("f", 0x40);
  EXPECT_NE(again, -1);
  CLOSEHANDLE(&again);
}

TEST_F(RawHandles, CloseOfNoHandleLeavesMinusOneAndValidityIsAnythingElse) {
  int32_t h = -1;
  EXPECT_FALSE(CLOSEHANDLE(&h));
  EXPECT_EQ(h, -1);
  EXPECT_FALSE(ISHANDLEVALID(-1));
  EXPECT_TRUE(ISHANDLEVALID(0));
  EXPECT_TRUE(ISHANDLEVALID(77));
}

TEST_F(RawHandles, ModeWordsGrantTheirSharing) {
  struct Case {
    uint16_t first, second;
    bool allowed;
  };
  const Case cases[] = {
      {0x40, 0x40, true},  {0x40, 0x42, true},  {0x20, 0x42, false}, {0x20, 0x40, true},
      {0x10, 0x40, false}, {0x12, 0x40, false}, {0x22, 0x40, true},  {0x22, 0x41, false},
      {0x31, 0x41, true},  {0x31, 0x40, false}, {0x00, 0x40, false}, {0x40, 0x20, true},
  };
  dir.Write("f", "data");
  for (const auto& c : cases) {
    int32_t first = Open("f", c.first);
    ASSERT_NE(first, -1) << std::hex << c.first;
    int32_t second = Open("f", c.second);
    EXPECT_EQ(second != -1, c.allowed) << std::hex << c.first << " then " << c.second;
    CLOSEHANDLE(&second);
    CLOSEHANDLE(&first);
  }
  EXPECT_EQ(Open("f", 0x03), -1);  // no such access
  EXPECT_EQ(Open("f", 0x50), -1);  // no such sharing
}

TEST_F(RawHandles, ExclusiveOpenInAnotherProcessLocksTheFileOut) {
  dir.Write("f", "data");
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int32_t h = Open("f", 0x12);
    const char ok = h != -1 ? 'y' : 'n';
    [[maybe_unused]] auto n = write(ready[1], &ok, 1);
    char wait;
    n = read(done[0], &wait, 1);
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  EXPECT_EQ(Open("f", 0x40), -1);
  ASSERT_EQ(write(done[1], "x", 1), 1);
  waitpid(child, nullptr, 0);
  int32_t h = Open("f", 0x40);
  EXPECT_NE(h, -1);
  CLOSEHANDLE(&h);
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

TEST_F(RawHandles, ReadsAndWritesReportShortTransfers) {
  int32_t h = Create("f");
  EXPECT_FALSE(WRITEHANDLE(h, "0123456789abcd", 14));
  EXPECT_FALSE(SEEKHANDLETO(h, 10));
  char buffer[16] = {};
  EXPECT_TRUE(READHANDLE(h, buffer, 10));  // 4 left: read, but short
  EXPECT_EQ(std::string(buffer, 4), "abcd");
  int32_t count = 10;
  EXPECT_FALSE(READHANDLECOND(h, buffer, &count));
  EXPECT_EQ(count, 0);  // end of file
  int32_t pos = -5;
  EXPECT_FALSE(HANDLEPOSITION(h, &pos));
  EXPECT_EQ(pos, 14);
  EXPECT_FALSE(SEEKHANDLEREL(h, -4));
  count = 4;
  EXPECT_FALSE(READHANDLECOND(h, buffer, &count));
  EXPECT_EQ(count, 4);
  EXPECT_TRUE(SEEKHANDLEREL(h, -100));  // before the start
  EXPECT_TRUE(SEEKHANDLETO(h, -1));
  EXPECT_FALSE(SEEKHANDLETO(h, 5));
  EXPECT_FALSE(TRUNCATEHANDLE(h));
  EXPECT_EQ(Content(h), "01234");
  EXPECT_FALSE(FLUSHHANDLE(h));
  count = 3;
  EXPECT_FALSE(WRITEHANDLECOND(h, "xyz", &count));
  EXPECT_EQ(count, 3);
  CLOSEHANDLE(&h);
  EXPECT_EQ(dir.Read("f"), "01234xyz");
}

TEST_F(RawHandles, AMoveBeyondTwoGigabytesFailsAndLeavesThePositionWhereItWas) {
  int32_t h = Create("f");
  ASSERT_FALSE(WRITEHANDLE(h, "0123456789", 10));
  const int32_t most = 0x7FFFFFFF;
  ASSERT_FALSE(SEEKHANDLETO(h, most));
  EXPECT_TRUE(SEEKHANDLEREL(h, 1));
  int32_t pos = -5;
  EXPECT_FALSE(HANDLEPOSITION(h, &pos));
  EXPECT_EQ(pos, most);
  ASSERT_FALSE(SEEKHANDLETO(h, 5));
  EXPECT_TRUE(SEEKHANDLEREL(h, most));
  EXPECT_FALSE(HANDLEPOSITION(h, &pos));
  EXPECT_EQ(pos, 5);
  // The next write lands where the handle was, not far out in a huge file.
  EXPECT_FALSE(WRITEHANDLE(h, "Z", 1));
  CLOSEHANDLE(&h);
  EXPECT_EQ(dir.Read("f"), "01234Z6789");
}

TEST_F(RawHandles, ReadOnlyHandleRefusesWritesAndBadHandlesFail) {
  dir.Write("f", "data");
  int32_t h = Open("f", 0x40);
  EXPECT_TRUE(WRITEHANDLE(h, "x", 1));
  int32_t count = 1;
  WRITEHANDLECOND(h, "x", &count);
  EXPECT_EQ(count, -1);
  CLOSEHANDLE(&h);
  count = 5;
  char buffer[5];
  READHANDLECOND(-1, buffer, &count);
  EXPECT_EQ(count, -1);
  int32_t size = 7;
  EXPECT_TRUE(SEEKHANDLEEND(-1, &size));
  EXPECT_EQ(size, -1);
  EXPECT_TRUE(FLUSHHANDLE(-1));
  // A handle variable left at 0, or a standard stream's number, is no file:
  // nothing is read from or written to the terminal.
  for (int32_t standard = 0; standard <= 2; ++standard) {
    EXPECT_TRUE(WRITEHANDLE(standard, "x", 1)) << standard;
    EXPECT_TRUE(READHANDLE(standard, buffer, 1)) << standard;
    EXPECT_TRUE(SEEKHANDLETO(standard, 0)) << standard;
  }
}

TEST_F(RawHandles, HandleTimeStampsAndReadsPackedTimes) {
  int32_t h = Create("f");
  const int32_t stamp = (31 << 25) | (7 << 21) | (4 << 16) | (12 << 11) | (30 << 5) | 10;  // 4.7.2011 12:30:20
  int32_t time = stamp;
  EXPECT_FALSE(HANDLETIME(h, 1, &time));
  time = 0;
  EXPECT_FALSE(HANDLETIME(h, 0, &time));
  EXPECT_EQ(time, stamp);
  CLOSEHANDLE(&h);
  time = 0;
  HANDLETIME(-1, 0, &time);
  EXPECT_EQ(time, -1);
}

TEST_F(RawHandles, CopyBlockCopiesWhatIsThereAndRefusesOneHandleForBoth) {
  dir.Write("src", "0123456789");
  int32_t src = Open("src", 0x40);
  int32_t dst = Create("dst");
  int32_t count = 100;
  EXPECT_FALSE(COPYBLOCK(src, dst, 4, 2, &count));
  EXPECT_EQ(count, 6);
  EXPECT_EQ(Content(dst), std::string("\0\0" "456789", 8));
  count = 3;
  EXPECT_TRUE(COPYBLOCK(dst, dst, 0, 1, &count));
  EXPECT_TRUE(COPYBLOCK(src, dst, -1, 0, &count));
  CLOSEHANDLE(&src);
  CLOSEHANDLE(&dst);
}

TEST_F(RawHandles, CopyBlockMovesMoreThanOneBlock) {
  std::string big(100000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = char('a' + i % 26);
  dir.Write("src", big);
  int32_t src = Open("src", 0x40);
  int32_t dst = Create("dst");
  int32_t count = int32_t(big.size());
  EXPECT_FALSE(COPYBLOCK(src, dst, 0, 0, &count));
  EXPECT_EQ(count, int32_t(big.size()));
  CLOSEHANDLE(&src);
  CLOSEHANDLE(&dst);
  EXPECT_EQ(dir.Read("dst"), big);
}

TEST_F(RawHandles, InsertOpensAGapAndFillsIt) {
  struct Case {
    std::string before;
    int32_t position;
    std::string data, after;
  };
  std::string big(70000, 'x');
  big[0] = 'A';
  big.back() = 'Z';
  const Case cases[] = {
      {"helloworld", 5, ", ", "hello, world"},
      {"abc", 3, "def", "abcdef"},  // at the end: appends
      {"abc", 0, "", "abc"},        // nothing to insert
      {"abc", 0, ">", ">abc"},
      {big, 1, "123", "A123" + big.substr(1)},  // the tail moves in several blocks
  };
  for (const auto& c : cases) {
    dir.Write("f", c.before);
    int32_t h = Open("f", 0x12);
    EXPECT_FALSE(INSERTTOHANDLE(h, c.position, c.data.data(), int32_t(c.data.size())));
    CLOSEHANDLE(&h);
    EXPECT_EQ(dir.Read("f"), c.after) << c.before.substr(0, 10) << " at " << c.position;
  }
  dir.Write("f", "abc");
  int32_t h = Open("f", 0x12);
  EXPECT_TRUE(INSERTTOHANDLE(h, -1, "x", 1));
  EXPECT_TRUE(INSERTTOHANDLE(h, 0, "x", -1));
  CLOSEHANDLE(&h);
  EXPECT_EQ(dir.Read("f"), "abc");
}

TEST_F(RawHandles, DeleteRemovesBytesAndNeverCutsBeforeThePosition) {
  struct Case {
    std::string before;
    int32_t position, count;
    bool failed;
    std::string after;
  };
  std::string big(80000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = char('a' + i % 26);
  const Case cases[] = {
      {"hello, world", 5, 2, false, "helloworld"},
      {"abcdef", 3, 3, false, "abc"},     // the last bytes: only truncates
      {"abcdef", 4, 100, false, "abcd"},  // beyond the end: clamped
      {"abcdef", 10, 2, false, "abcdef"},
      {"abcdef", 0, 0, false, "abcdef"},
      {"abcdef", -1, 2, true, "abcdef"},
      {"abcdef", 1, -2, true, "abcdef"},
      {big, 10, 5, false, big.substr(0, 10) + big.substr(15)},
  };
  for (const auto& c : cases) {
    dir.Write("f", c.before);
    int32_t h = Open("f", 0x12);
    EXPECT_EQ(DELETEFROMHANDLE(h, c.position, c.count), c.failed)
        << c.position << "," << c.count;
    CLOSEHANDLE(&h);
    EXPECT_EQ(dir.Read("f"), c.after) << c.position << "," << c.count;
  }
}

TEST_F(RawHandles, DeleteWhoseMoveCannotReadFailsWithoutTruncating) {
  dir.Write("f", "abcdef");
  int32_t h = Open("f", 0x31);  // write only: the move's reads fail
  EXPECT_TRUE(DELETEFROMHANDLE(h, 1, 2));
  CLOSEHANDLE(&h);
  EXPECT_EQ(dir.Read("f"), "abcdef");
}

}  // namespace
