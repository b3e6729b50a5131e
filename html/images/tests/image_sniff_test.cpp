#include "html/images/image_sniff.h"

#include <gtest/gtest.h>

#include <string>

#include "html/testing/image_test_support.h"
#include "platform/core/stream.h"

namespace html {

namespace {

TEST(ImageSniff, KindsComeFromTheFirstBytesTestedOnlyWhereBytesArePresent) {
  struct Case {
    std::string bytes;
    TImageType expected;
  };
  const Case cases[] = {
      {"GIF87a....", itGif87},
      {"GIF89a....", itGif89},
      {"GIF8x", itGif87},
      {"GIF8", itGif87},
      {"GIF", itOther},
      {"BM\x36\x00", itBmp},
      {"BM", itBmp},
      {"B", itOther},
      {std::string("\x89PNG\r\n\x1A\n", 8), itPng},
      {"\x89PN", itOther},
      {"\xFF\xD8\xFF\xE0", itJpeg},
      {"\xFF", itOther},
      {"", itOther},
      {"<html>", itOther},
  };
  for (const auto& c : cases) {
    // The bytes live in a buffer of exactly their size, so that a look past
    // them would show under the sanitizer.
    std::vector<std::uint8_t> exact(c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(SniffImageType(exact.data(), exact.size()), c.expected) << c.bytes;
  }
}

TEST(ImageSniff, FileKindFromItsHeadAndOpenFailureRaises) {
  const cl::testing::TempDirectory dir;
  const std::string gif = dir.Write("a.gif", {'G', 'I', 'F', '8', '9', 'a'});
  const std::string tiny = dir.Write("tiny.bin", {'B'});
  EXPECT_EQ(SniffImageFileType(gif), itGif89);
  EXPECT_EQ(SniffImageFileType(tiny), itOther);
  EXPECT_THROW(SniffImageFileType(dir / "missing.gif"), cl::EFOpenError);
}

}  // namespace

}  // namespace html
