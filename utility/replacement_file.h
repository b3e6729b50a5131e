#pragma once

#include <memory>
#include <string_view>

#include "utility/raw_handles.h"

namespace win {
class ReplacingWrite;
}

namespace utl {

// The layer's replacing write under a system name: a new file beside the file
// the name leads to, written in full before it takes that file's place in one
// rename; until then the old file stays as it was, and a replacement that is
// never committed leaves nothing. A target that is no regular file (a device)
// is written in place. The directory of the target must exist.
class ReplacementFile {
 public:
  // Refused while another handle holds the old file: any handle, for a writer
  // that opens the old file exclusively; else only one that denies writing.
  enum class OldFile { Exclusive, SharedForWriting };
  explicit ReplacementFile(std::string_view target, OldFile old = OldFile::SharedForWriting);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // False when nothing could be made to write into.
  bool Ready() const;
  // Open for reading and writing (in place: for writing), for this object only.
  Handle File() const;
  // The read-only attribute the new file takes the target's place with; TRUE
  // on failure.
  bool SetReadOnly(bool readOnly);
  // Flushes the file and renames it over the target; TRUE on failure, the
  // target then untouched and the new file gone.
  bool Commit();

 private:
  std::unique_ptr<win::ReplacingWrite> write_;
};

}  // namespace utl
