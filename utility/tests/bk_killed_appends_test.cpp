// BK appends whose process is killed on the way, and readers meanwhile.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "branutl/bk_files.h"
#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using cl::testing::HeldCall;

Bytes Data(std::size_t n, unsigned seed) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>((i + seed) * 2654435761u >> 13 | 1);
  return b;
}

Bytes Joined(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// What a reader of another process takes the file for: the data the check
// holds for (those of a whole load), or "bad".
struct Reading {
  bool checked;
  Bytes loaded;
};

Reading Read(const ShortString& name, std::size_t length) {
  Reading r{};
  tBKHeader h;
  r.checked = !CHECKBKFILE(&name, &h);
  Bytes data(length);
  if (!LOADBKFILE(&name, &h, data.data(), static_cast<std::uint16_t>(length))) r.loaded = data;
  return r;
}

}  // namespace

// Killed anywhere, an append has taken effect whole or not at all: readers
// see the file as it was (or, once the new header is written, as it is), and
// the next append finds it so and leaves nothing beside it.
TEST(BkKilledAppends, AnAppendKilledOnItsWayTakesEffectWholeOrNotAtAll) {
  const Bytes first = Data(30000, 1), appended = Data(20000, 2), next = Data(5, 3);
  const struct Point {
    const char* where;
    HeldCall call;
    std::uint32_t count;
    bool tookEffect;
  } points[] = {
      {"as the note beside the file is written", HeldCall::Write, 80, false},
      {"at the data write", HeldCall::Write, 20000, false},
      {"at the flush of the data written", HeldCall::Fsync, 0, false},
      {"at the header write", HeldCall::Write, 32, false},
      {"as the note goes", HeldCall::Unlink, 0, true},
  };
  for (const Point& p : points) {
    const cl::testing::TempDirectory dir;
    const ShortString name = ShortString::From(dir / "data.bk");
    tBKHeader header;
    FILLBKHEADER(&header, false, 55, 32, 1);
    ASSERT_FALSE(SAVEBKFILE(&name, 0, &header, first.data(), static_cast<std::uint16_t>(first.size())));
    cl::testing::WaitingChild appender([&](const cl::testing::WaitingChild::WaitHere& wait) {
      if (!cl::testing::HoldBefore(p.call, p.count, wait)) throw std::runtime_error("no trap");
      APPENDTOBKFILE(&name, appended.data(), static_cast<std::int32_t>(appended.size()));
    });
    if (!appender.Ready()) {
      ADD_FAILURE() << "the append never got " << p.where;
      continue;
    }
    const Bytes seen = p.tookEffect ? Joined(first, appended) : first;
    const Bytes unseen = p.tookEffect ? first : Joined(first, appended);
    const Reading during = Read(name, seen.size());
    EXPECT_TRUE(during.checked) << "while the appender waits " << p.where;
    EXPECT_EQ(during.loaded, seen) << "while the appender waits " << p.where;
    EXPECT_TRUE(Read(name, unseen.size()).loaded.empty()) << "while the appender waits " << p.where;

    appender.Stop();  // SIGKILL
    const Reading after = Read(name, seen.size());
    EXPECT_TRUE(after.checked) << "killed " << p.where;
    EXPECT_EQ(after.loaded, seen) << "killed " << p.where;
    EXPECT_TRUE(Read(name, unseen.size()).loaded.empty()) << "killed " << p.where;

    ASSERT_FALSE(APPENDTOBKFILE(&name, next.data(), static_cast<std::int32_t>(next.size()))) << p.where;
    const Reading later = Read(name, seen.size() + next.size());
    EXPECT_TRUE(later.checked) << "appended again after the kill " << p.where;
    EXPECT_EQ(later.loaded, Joined(seen, next)) << "appended again after the kill " << p.where;
    EXPECT_EQ(std::filesystem::file_size(dir / "data.bk"), 32 + seen.size() + next.size()) << p.where;
    std::vector<std::string> entries;
    for (const auto& [entry, content] : cl::testing::DirectoryContents(dir.Path().string())) entries.push_back(entry);
    EXPECT_EQ(entries, std::vector<std::string>{"data.bk"}) << "nothing left beside the file, killed " << p.where;
  }
}
