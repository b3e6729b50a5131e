#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "utility/raw_handles.h"

// Locks between programs on shared directories: a lock is a file held open
// with exclusive sharing. The retry loops give up once more than their timeout
// (milliseconds of the tick counter, taken modulo 2^32) has passed since the
// first attempt, and between attempts they idle in short sleeps.
namespace utl {

// The lock-file object: the name of a directory's lock file and the idle step
// of the retry loops. The library makes one at load and frees it at unload.
class tSHRsrv {
 public:
  tSHRsrv() = default;

  const std::string& LockFileName() const { return lockFileName_; }
  // Called after a failed attempt, with the milliseconds left of the wait.
  void Idle(std::uint32_t remaining) const;

 private:
  std::string lockFileName_ = "subdir.smf";
};

const tSHRsrv& SHRsrv();
void StartSHRsrv();
void StopSHRsrv();

// Creates the lock file when missing and opens it exclusively; false on timeout.
bool FlagFile(std::string_view name, Handle& handle, std::uint16_t timeout);
// Opens an existing file with the mode's access and exclusive sharing; handle
// is -1 unless opened. A missing file fails at once when the mode asks only to read.
bool ExclusiveOpen(std::string_view name, std::uint16_t mode, std::uint16_t timeout, Handle& handle);
// Creates or empties the file and opens it exclusively for writing (a text
// file's rewrite takes only the sharing of its mode, and that is exclusive here).
bool ExclusiveRewrite(std::string_view name, std::uint16_t timeout, Handle& handle);
// True when the file exists and cannot be opened exclusively for reading and writing.
bool IsFileLocked(std::string_view name);
// Retry until the first success or the timeout; a missing source, or a
// timeout of 0 or less, tries nothing.
void RenameSharedFile(std::string_view source, std::string_view target, std::int32_t timeout);
void DeleteSharedFile(std::string_view name, std::int32_t timeout);

// The open mode with its sharing replaced by "exclusive".
constexpr std::uint16_t ExclusiveMode(std::uint16_t mode) {
  return static_cast<std::uint16_t>((mode & ~0xF0) | 0x10);
}

}  // namespace utl
