#pragma once

#include <optional>
#include <string>

#include "platform/core/file_handle.h"

namespace win {

// Gives a file new contents as a whole: the bytes go into a new file beside
// the file the name leads to (through symbolic links, which stay), and that
// file takes the old one's place in one rename once it is complete. Until
// then the old file stays whole; a write that is never committed, or whose
// process is killed, leaves nothing behind.
//
// The new file is unnamed (O_TMPFILE) where the file system allows it. Else
// it is named ".<name>.~<pid>-<n>" beside the target, and the next replacing
// write of that file removes such names of processes that no longer exist.
//
// A target that is no regular file (a device, a FIFO) is never renamed over:
// the bytes are written into it directly, and their failure is the write's.
// The path a native name leads to through symbolic links (a dangling link
// leads to the name it holds): where a replacing write puts the new file, and
// where a file kept beside a file belongs. nullopt with the last error for a
// loop of links or an unreadable one.
std::optional<std::string> LinkTarget(const std::string& nativePath);

class ReplacingWrite {
 public:
  // Which handles on the old file keep the replacement out: any, for a writer
  // that would have opened the old file exclusively; or only those that deny
  // writing, as creating a file anew under another handle is on Windows.
  enum class Refused { ByAnyHandle, ByHandlesDenyingWrites };

  // A native path; a name that does not exist yet (or a dangling link) gets a
  // new file. Ready() is false, with the last error, when nothing can be
  // written there.
  explicit ReplacingWrite(const std::string& nativePath, Refused refused = Refused::ByHandlesDenyingWrites);
  ~ReplacingWrite();
  ReplacingWrite(const ReplacingWrite&) = delete;
  ReplacingWrite& operator=(const ReplacingWrite&) = delete;

  bool Ready() const { return fd_ >= 0; }
  // The new file, open for reading and writing; in place, the target itself,
  // open for writing.
  HANDLE Handle() const { return fd_; }
  bool InPlace() const { return inPlace_; }
  // The file the name led to.
  const std::string& Target() const { return target_; }

  // The read-only attribute the new file takes the target's place with; in
  // place nothing changes.
  bool SetReadOnly(bool readOnly);

  // Flushes the new file and renames it over the target; false with the last
  // error when that fails, the old file then whole and the new one gone. A
  // read-only target refuses (5), as does one that a handle holds open as
  // the constructor's Refused says (32). In place: the close of the target.
  bool Commit();

 private:
  enum class Unnamed { Made, Unsupported, Failed };
  Unnamed MakeUnnamed(const std::string& directory);
  bool MakeNamed();
  bool LinkUnnamed(std::string& linked);

  std::string target_;
  std::string named_;  // the new file's name in the named form
  int fd_ = -1;
  Refused refused_;
  bool inPlace_ = false;
  bool committed_ = false;
};

}  // namespace win
