#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/core/places.h"
#include "platform/core/version_block.h"
#include "platform/core/test_support/elf_file.h"
#include "platform/core/test_support/temp_directory.h"

BRANNIK_VERSION_BLOCK(
    "FILEVERSION 1.2.3.4\n"
    "PRODUCTVERSION 5.6.7.8\n"
    "TRANSLATION 0409 04B0\n"
    "BLOCK 040904B0\n"
    "FileVersion=1.02.003\n"
    "Comments=\n");

namespace {

using cl::testing::TempDirectory;

std::unique_ptr<std::byte[]> ReadBlock(const std::string& fileName) {
  std::uint32_t handle = 7;
  const auto size = win::GetFileVersionInfoSize(fileName, &handle);
  EXPECT_EQ(handle, 0u);
  if (size == 0) return nullptr;
  auto block = std::make_unique<std::byte[]>(size);
  if (!win::GetFileVersionInfo(fileName, handle, size, block.get())) return nullptr;
  return block;
}

std::string QueryString(const void* block, const std::string& path) {
  const void* value = nullptr;
  std::uint32_t length = 0;
  if (!win::VerQueryValue(block, path, &value, &length)) return "<none>";
  const std::string text(static_cast<const char*>(value));
  EXPECT_EQ(length, text.size() + 1);
  return text;
}

}  // namespace

TEST(VersionBlock, TheProgramReadsTheBlockItEmbeds) {
  const auto block = ReadBlock(win::GetModuleFileName());
  ASSERT_TRUE(block);

  const void* value = nullptr;
  std::uint32_t length = 0;
  ASSERT_TRUE(win::VerQueryValue(block.get(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(win::VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const win::VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00030004u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00050006u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00070008u);

  ASSERT_TRUE(win::VerQueryValue(block.get(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  const auto* translation = static_cast<const win::VersionTranslation*>(value);
  EXPECT_EQ(translation->Language, 0x0409);
  EXPECT_EQ(translation->CodePage, 0x04B0);

  EXPECT_EQ(QueryString(block.get(), "\\StringFileInfo\\040904b0\\FileVersion"), "1.02.003");
  EXPECT_EQ(QueryString(block.get(), "\\STRINGFILEINFO\\040904B0\\fileversion"), "1.02.003");
  EXPECT_EQ(QueryString(block.get(), "\\StringFileInfo\\040904b0\\Comments"), "");
  EXPECT_EQ(QueryString(block.get(), "\\StringFileInfo\\040904b0\\Released"), "<none>");
  EXPECT_EQ(QueryString(block.get(), "\\StringFileInfo\\040504e2\\FileVersion"), "<none>");
}

TEST(VersionBlock, FilesWithoutABlockReportWhy) {
  const TempDirectory dir;
  dir.Write("text.txt", "FILEVERSION 1.0.0.0\n");
  dir.Write("other.elf", ElfFile(".data", "FILEVERSION 1.0.0.0\n"));
  dir.Write("bad.elf", ElfFile("brannik_version", "FILEVERSION 1.0\n"));
  struct Case {
    std::string file;
    std::uint32_t error;
  } const cases[] = {
      {dir / "missing.exe", win::ERROR_FILE_NOT_FOUND},
      {dir / "text.txt", 1813},
      {dir / "other.elf", 1813},
      {dir / "bad.elf", 13},
  };
  for (const auto& c : cases) {
    win::SetLastError(0);
    std::uint32_t handle = 0;
    EXPECT_EQ(win::GetFileVersionInfoSize(c.file, &handle), 0u) << c.file;
    EXPECT_EQ(win::GetLastError(), c.error) << c.file;
  }
}

TEST(VersionBlock, AnotherFilesBlockIsReadFromItsSection) {
  const TempDirectory dir;
  dir.Write("prog", ElfFile("brannik_version",
                            "; no fixed information\nTRANSLATION 0405 04E2\nBLOCK 040504E2\n"
                            "Released = 25.10.1999 16:30 \nProductName=Brannik\xAE Shell\n" +
                                std::string(16, '\0')));
  const auto block = ReadBlock(dir / "prog");
  ASSERT_TRUE(block);
  EXPECT_FALSE(win::VerQueryValue(block.get(), "\\", nullptr, nullptr));
  EXPECT_EQ(QueryString(block.get(), "\\StringFileInfo\\040504e2\\Released"), "25.10.1999 16:30");
  EXPECT_EQ(QueryString(block.get(), "\\StringFileInfo\\040504e2\\ProductName"), "Brannik\xAE Shell");
}

TEST(VersionBlock, ATooSmallBufferIsRefused) {
  const std::string self = win::GetModuleFileName();
  const auto size = win::GetFileVersionInfoSize(self, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<std::byte> buffer(size - 1);
  EXPECT_FALSE(win::GetFileVersionInfo(self, 0, size - 1, buffer.data()));
  EXPECT_EQ(win::GetLastError(), 122u);
}

TEST(VersionBlock, MalformedTextsGiveNoBlock) {
  const char* const texts[] = {
      "FILEVERSION 1.2.3\n",           "FILEVERSION 1.2.3.65536\n", "FILEVERSION 1.2.3.x\n",
      "TRANSLATION 405 04E2\n",        "TRANSLATION 0405\n",        "BLOCK 0405\n",
      "FileVersion=1.0\n",             "BLOCK 040504E2\n=value\n",  "VERSION 1\n",
  };
  for (const char* text : texts) EXPECT_FALSE(win::CompileVersionBlock(text)) << text;
  EXPECT_TRUE(win::CompileVersionBlock(""));
  EXPECT_TRUE(win::CompileVersionBlock("\n; only a comment\r\n"));
}
