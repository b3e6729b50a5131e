#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/core/file_stream.h"
#include "platform/core/memory_stream.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

class TempDir : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_ / name; }
  const cl::testing::TempDirectory dir_;
};

TEST(MemoryStream, ReadsWritesSeeksAndGrows) {
  cl::TMemoryStream stream;
  EXPECT_EQ(stream.Memory(), nullptr);
  stream.WriteBuffer("hello", 5);
  EXPECT_EQ(stream.Size(), 5);
  stream.Seek(-2, cl::TSeekOrigin::soEnd);
  stream.WriteBuffer("p!", 2);
  stream.SetPosition(0);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 5);
  EXPECT_EQ(std::string(buffer), "help!");
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  EXPECT_THROW(stream.ReadBuffer(buffer, 1), cl::EReadError);
  stream.SetPosition(7);  // beyond the end: writing fills the gap with zeros
  stream.WriteBuffer("x", 1);
  EXPECT_EQ(stream.Size(), 8);
  EXPECT_EQ(stream.Memory()[5], '\0');
  stream.SetSize(2);
  EXPECT_EQ(stream.Position(), 2);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
}

TEST_F(TempDir, FileStreamCreatesWritesAndReopens) {
  {
    cl::TFileStream file(Path("a.bin"), cl::fmCreate);
    file.WriteBuffer("abcdef", 6);
    file.SetSize(4);
    EXPECT_EQ(file.Size(), 4);
  }
  cl::TMemoryStream memory;
  memory.LoadFromFile(Path("a.bin"));
  ASSERT_EQ(memory.Size(), 4);
  EXPECT_EQ(std::string(memory.Memory(), 4), "abcd");

  cl::TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(memory, 0), 4);
  copy.SaveToFile(Path("b.bin"));
  cl::TFileStream reread(Path("b.bin"), cl::fmOpenRead | cl::fmShareDenyNone);
  char buffer[4];
  reread.ReadBuffer(buffer, 4);
  EXPECT_EQ(std::string(buffer, 4), "abcd");
}

TEST_F(TempDir, FileStreamOfAMissingFileRaisesWithItsName) {
  try {
    cl::TFileStream file(Path("none.bin"), cl::fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const cl::EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + Path("none.bin"));
  }
  EXPECT_THROW(cl::TFileStream(Path("no/dir/x"), cl::fmCreate), cl::EFCreateError);
}

TEST_F(TempDir, FileStreamHonoursSharingAndFindsNamesInAnyCase) {
  { cl::TFileStream create(Path("Doc.HTM"), cl::fmCreate); create.WriteBuffer("x", 1); }
  {
    cl::TFileStream reader(Path("doc.htm"), cl::fmOpenRead | cl::fmShareDenyWrite);
    EXPECT_EQ(reader.Size(), 1);
    EXPECT_THROW(cl::TFileStream(Path("DOC.htm"), cl::fmOpenWrite | cl::fmShareDenyNone), cl::EFOpenError);
    cl::TFileStream second(Path("DOC.htm"), cl::fmOpenRead | cl::fmShareDenyNone);
  }
  cl::TFileStream exclusive(Path("Doc.HTM"), cl::fmOpenReadWrite | cl::fmShareExclusive);
  EXPECT_THROW(cl::TFileStream(Path("Doc.HTM"), cl::fmOpenRead | cl::fmShareDenyNone), cl::EFOpenError);
}

}  // namespace
