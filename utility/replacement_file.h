#pragma once

#include <string>
#include <string_view>

#include "utility/raw_handles.h"

namespace utl {

// A new file beside a target, written in full before it takes the target's
// place in one rename; until then the target stays as it was, and a
// replacement that is never committed is deleted. The directory of the target
// must exist.
class ReplacementFile {
 public:
  explicit ReplacementFile(std::string_view target);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // False when no file could be made beside the target.
  bool Ready() const { return handle_ != noHandle; }
  // Open for reading and writing, exclusively.
  Handle File() const { return handle_; }
  const std::string& Name() const { return name_; }
  // Flushes and closes the file, so that its attributes can be set before the
  // rename; TRUE on failure.
  bool Finish();
  // Finishes unless finished and renames the file over the target; TRUE on
  // failure, the target then untouched and the new file gone.
  bool Commit();

 private:
  std::string target_;
  std::string name_;
  Handle handle_ = noHandle;
  bool finished_ = false;
  bool committed_ = false;
};

}  // namespace utl
