#include "platform/core/test_support/temp_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <stdexcept>

#include "platform/core/test_support/scratch_file.h"

namespace cl::testing {
namespace {

// "<suite>.<test>" of the running test, kept to characters a file name takes.
std::string TestPart() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  if (test == nullptr) return "none";
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_') c = '_';
  constexpr std::size_t limit = 80;
  if (name.size() > limit) name.resize(limit);
  return name;
}

}  // namespace

TempDirectory::TempDirectory() : TempDirectory(std::filesystem::temp_directory_path()) {}

TempDirectory::TempDirectory(const std::filesystem::path& parent) {
  std::string pattern = (parent / ("brannik-" + std::to_string(getpid()) + "-" + TestPart() + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  path_ = pattern;
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  // Read-only entries, the directory itself too, must not stop the clean-up;
  // links are left as they are.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ignored);
  for (auto& e : std::filesystem::recursive_directory_iterator(path_, ignored))
    if (!e.is_symlink(ignored))
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDirectory::Write(const std::string& name, std::string_view content) const {
  const auto file = path_ / name;
  WriteScratchFile(file, content);
  return file.string();
}

std::string TempDirectory::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  const auto file = path_ / name;
  WriteScratchFile(file, bytes);
  return file.string();
}

std::string TempDirectory::Read(const std::string& name) const { return ReadScratchFile(path_ / name); }

bool TempDirectory::Exists(const std::string& name) const {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path_ / name, ignored));
}

void TempDirectory::ReadOnly(const std::string& name) const { chmod((path_ / name).c_str(), 0444); }

}  // namespace cl::testing
