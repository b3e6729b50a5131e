#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "browser/document_save.h"
#include "platform/core/test_support/temp_directory.h"

using brw::SaveDocumentCopy;

TEST(DocumentSave, TheCopyReplacesTheTargetWhole) {
  const cl::testing::TempDirectory dir;
  std::string big(200 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 % 251);
  dir.Write("doc.htm", big);
  ASSERT_TRUE(SaveDocumentCopy(dir / "doc.htm", dir / "copy.htm"));
  EXPECT_EQ(dir.Read("copy.htm"), big);

  dir.Write("old.htm", "old contents that are longer than the new ones");
  dir.Write("small.htm", "new");
  ASSERT_TRUE(SaveDocumentCopy(dir / "small.htm", dir / "old.htm"));
  EXPECT_EQ(dir.Read("old.htm"), "new");

  // Nothing of the way there stays behind.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    EXPECT_EQ(entry.path().string().find(".~"), std::string::npos) << entry.path();
    ++files;
  }
  EXPECT_EQ(files, 4);
}

TEST(DocumentSave, RefusedSavesLeaveTheTargetAlone) {
  const cl::testing::TempDirectory dir;
  dir.Write("doc.htm", "the document");
  dir.Write("target.htm", "keep me");
  ASSERT_EQ(link((dir / "doc.htm").c_str(), (dir / "hardlink.htm").c_str()), 0);
  struct Case {
    std::string source;
    std::string target;
    std::string file;
    std::string content;
  } const cases[] = {
      {"", dir / "target.htm", "target.htm", "keep me"},
      {dir / "missing.htm", dir / "target.htm", "target.htm", "keep me"},
      {dir / "doc.htm", dir / "doc.htm", "doc.htm", "the document"},
      {dir / "doc.htm", dir / "DOC.HTM", "doc.htm", "the document"},
      {dir / "doc.htm", dir / "hardlink.htm", "doc.htm", "the document"},
      {dir / "hardlink.htm", dir / "doc.htm", "doc.htm", "the document"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(SaveDocumentCopy(c.source, c.target)) << c.source << " -> " << c.target;
    EXPECT_EQ(dir.Read(c.file), c.content) << c.source << " -> " << c.target;
  }
  EXPECT_FALSE(SaveDocumentCopy(dir / "doc.htm", dir / "missing/copy.htm"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
}

TEST(DocumentSave, ReadOnlyTargetsAndStaleTemporaryFiles) {
  const cl::testing::TempDirectory dir;
  dir.Write("doc.htm", "new");
  dir.Write("target.htm", "old");
  chmod((dir / "target.htm").c_str(), 0444);
  dir.Write("target.htm.~0", "someone else's");
  ASSERT_TRUE(SaveDocumentCopy(dir / "doc.htm", dir / "target.htm"));
  EXPECT_EQ(dir.Read("target.htm"), "new");
  EXPECT_EQ(dir.Read("target.htm.~0"), "someone else's");
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "target.htm.~1"));
}
