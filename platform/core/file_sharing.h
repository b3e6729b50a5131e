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

// True when some handle holds the file at the native path open; deleting or
// renaming it then fails with 32, as on Windows.
bool HeldOpen(const std::string& nativePath);

}  // namespace win
