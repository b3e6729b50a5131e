#pragma once

// A full disk for tests of what a write leaves behind. Both are meant for a
// forked child: the mount is private to its namespace and goes with it.

#include <string>

namespace cl::testing {

// Mounts a 64 KB tmpfs on DIR in a private mount namespace; false where the
// process may not (then a file-size limit is the usual stand-in).
bool MountSmallFileSystem(const std::string& dir);
// Writes FILE until the file system holding it has no byte left.
void FillFileSystem(const std::string& file);

}  // namespace cl::testing
