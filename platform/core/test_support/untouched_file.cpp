#include "platform/core/test_support/untouched_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>

namespace cl::testing {

UntouchedFile::UntouchedFile(std::filesystem::path file, std::string head)
    : file_(std::move(file)), head_(std::move(head)) {
  if (lstat(file_.c_str(), &before_) != 0) ADD_FAILURE() << "Cannot see " << file_;
}

void UntouchedFile::ExpectUnchanged() const {
  struct stat after {};
  ASSERT_EQ(lstat(file_.c_str(), &after), 0) << file_;
  EXPECT_EQ(after.st_ino, before_.st_ino) << file_;
  EXPECT_EQ(after.st_mode, before_.st_mode) << file_;
  EXPECT_EQ(after.st_size, before_.st_size) << file_;
  if (S_ISREG(before_.st_mode)) {
    std::ifstream in(file_, std::ios::binary);
    std::string head(head_.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    EXPECT_EQ(head, head_) << file_;
  }
}

}  // namespace cl::testing
