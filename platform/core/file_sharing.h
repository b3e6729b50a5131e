#pragma once

#include <cstdint>
#include <string>

namespace win {

// Access and sharing between handles, of this process and of others, kept as
// open-file-description locks on marker bytes far beyond any file's data.
// Each handle holds read locks on the markers of its access and of what it
// denies; an open tests the markers it conflicts with for any lock held by
// another description. The locks are advisory.

// Takes the markers for the descriptor's access and sharing, then tests for
// conflicts; false (with last error 32) on a conflict.
bool AcquireSharing(int fd, bool read, bool write, bool shareRead, bool shareWrite);

// Claims the file at a native path for deleting or renaming: every marker is
// write-locked, which succeeds only while no handle holds the file, and keeps
// new opens out (they fail with 32) until the claim ends, so no handle can
// appear between the check and the removal. Held() is true when some handle
// has the file open; the removal then fails with 32, as on Windows.
class RemovalClaim {
 public:
  explicit RemovalClaim(const std::string& nativePath);
  ~RemovalClaim();
  RemovalClaim(const RemovalClaim&) = delete;
  RemovalClaim& operator=(const RemovalClaim&) = delete;

  bool Held() const { return held_; }

 protected:
  // Claims only what a replacement by a new file conflicts with.
  struct ForReplacement {};
  RemovalClaim(const std::string& nativePath, ForReplacement);

 private:
  void ClaimRepeatedly(const std::string& nativePath);
  bool Claim(const std::string& nativePath);

  int fd_ = -1;
  bool held_ = false;
  bool replacing_ = false;
};

// Claims a file for being replaced by a new file under its name (a replacing
// write): that is refused only while some handle denies writing, as creating
// a file anew is on Windows; handles that share writing keep reading the old
// file. New opens that would deny writing or write are kept out until the
// claim ends.
class ReplacementClaim : public RemovalClaim {
 public:
  explicit ReplacementClaim(const std::string& nativePath) : RemovalClaim(nativePath, ForReplacement{}) {}
};

}  // namespace win
