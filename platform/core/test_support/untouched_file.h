#pragma once

// What a test saw of a file (or device, or link) before an operation that
// must leave it alone, and the check that it did.

#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace cl::testing {

class UntouchedFile {
 public:
  // Takes the node FILE names (not what a link leads to); HEAD is the text a
  // regular file begins with.
  UntouchedFile(std::filesystem::path file, std::string head);

  // Fails the test unless the name still leads to the same node, of the same
  // kind and size, and a regular file still begins with HEAD.
  void ExpectUnchanged() const;

 private:
  std::filesystem::path file_;
  std::string head_;
  struct stat before_ {};
};

}  // namespace cl::testing
